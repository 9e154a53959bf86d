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

// Creates `path`, or empties it where it exists, for writing in binary mode.
// Returns the descriptor, or -1 with the cause in *error (an errno value).
int OpenForWriting(const char* path, int* error);

// Closes `fd`. Returns 0, or the errno value of the failure: for a file
// written, a sign that what was written may not have reached it.
int CloseDescriptor(int fd);

// Puts standard input and output into binary mode, where that differs (Windows).
void UseBinaryStandardStreams();

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_DESCRIPTOR_IO_H_
