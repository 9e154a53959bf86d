#include "command_line/descriptor_io.h"

#include <fcntl.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
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

int OpenForWriting(const char* path, int* error) {
#ifdef _WIN32
  const int fd = _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
#endif
  if (fd < 0) *error = errno;
  return fd;
}

int CloseDescriptor(int fd) {
#ifdef _WIN32
  const int closed = _close(fd);
#else
  const int closed = ::close(fd);
#endif
  return closed == 0 ? 0 : errno;
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
#endif
}

}  // namespace vergleichsspannung
