#include "command_line/descriptor_io.h"

#include <fcntl.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vergleichsspannung {

int OpenForReading(const char* path, int* error) {
#ifdef _WIN32
  const int fd = _open(path, _O_RDONLY | _O_BINARY);
#else
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
#endif
  if (fd < 0) *error = errno;
  return fd;
}

void CloseDescriptor(int fd) {
#ifdef _WIN32
  _close(fd);
#else
  ::close(fd);
#endif
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
#endif
}

}  // namespace vergleichsspannung
