// The descriptors of files and of standard input and output, opened and
// closed byte for byte on POSIX systems and Windows alike; reading and
// writing them goes through the terminal layer's byte streams.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_

namespace vergleichsspannung {

constexpr int kStandardInput = 0;
constexpr int kStandardOutput = 1;
constexpr int kStandardError = 2;

// Opens `path` for reading, in binary mode. Returns the descriptor, or -1
// with the cause in *error (an errno value).
int OpenForReading(const char* path, int* error);

// Closes `fd`.
void CloseDescriptor(int fd);

// Puts standard input and output into binary mode, where that differs (Windows).
void UseBinaryStandardStreams();

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_
