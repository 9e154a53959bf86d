#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "picture/mohr_picture.h"

namespace vergleichsspannung {

bool WriteMohrSvg(const std::string& path, const std::string& svg, std::string* reason) {
  assert(reason != nullptr);
  const bool to_output = path == "-";
  errno = 0;
  // Binary mode: the same bytes, LF line ends included, on every system.
  std::FILE* file = to_output ? stdout : std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *reason = std::strerror(errno);
    return false;
  }
  bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
  // A full disk often shows only when the buffer goes out, so flush and close count.
  written = std::fflush(file) == 0 && written;
  if (!to_output) written = std::fclose(file) == 0 && written;
  if (!written) *reason = errno != 0 ? std::strerror(errno) : "write error";
  return written;
}

}  // namespace vergleichsspannung
