#include "command_line/descriptor_io.h"

#include <fcntl.h>

#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vergleichsspannung {

namespace {

#ifdef _WIN32
// One call of the C runtime moves at most INT_MAX bytes.
constexpr std::size_t kMaxTransfer = INT_MAX;
long ReadOnce(int fd, char* buffer, std::size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size < kMaxTransfer ? size : kMaxTransfer));
}
long WriteOnce(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size < kMaxTransfer ? size : kMaxTransfer));
}
#else
long ReadOnce(int fd, char* buffer, std::size_t size) { return ::read(fd, buffer, size); }
long WriteOnce(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
#endif

}  // namespace

int OpenForReading(const char* path, int* error) {
#ifdef _WIN32
  const int fd = _open(path, _O_RDONLY | _O_BINARY);
#else
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
#endif
  if (fd < 0) *error = errno;
  return fd;
}

long ReadSome(int fd, char* buffer, std::size_t size, int* error) {
  while (true) {
    const long count = ReadOnce(fd, buffer, size);
    if (count >= 0) return count;
    if (errno != EINTR) {
      *error = errno;
      return -1;
    }
  }
}

int WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const long count = WriteOnce(fd, data, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return 0;
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
