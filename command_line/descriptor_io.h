// Reading and writing the descriptors of files and of standard input and
// output, byte for byte, on POSIX systems and Windows alike.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_

#include <cstddef>

namespace vergleichsspannung {

constexpr int kStandardInput = 0;
constexpr int kStandardOutput = 1;
constexpr int kStandardError = 2;

// Opens `path` for reading, in binary mode. Returns the descriptor, or -1
// with the cause in *error (an errno value).
int OpenForReading(const char* path, int* error);

// Reads what is there, at most `size` bytes, waiting only while there is
// nothing (so a line typed or piped is read as soon as it ends). Returns the
// count, 0 at the end, or -1 with the errno value in *error; EINTR is tried again.
long ReadSome(int fd, char* buffer, std::size_t size, int* error);

// Writes all `size` bytes of `data`. Returns 0, or the errno value of the
// failure; EINTR is tried again.
int WriteAll(int fd, const char* data, std::size_t size);

// Closes `fd`.
void CloseDescriptor(int fd);

// Puts standard input and output into binary mode, where that differs (Windows).
void UseBinaryStandardStreams();

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_
