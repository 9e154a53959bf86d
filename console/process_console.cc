#include "console/process_console.h"

#include "console/messages.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

ByteSource DescriptorSource(int input_fd, int output_fd) {
  ByteSource source;
  source.read = [input_fd](char* buffer, std::size_t size) {
    return terminal::ReadSome(input_fd, buffer, size);
  };
  source.await = [input_fd] { return terminal::AwaitReady(input_fd, false); };
  source.terminal = terminal::IsTerminal(input_fd);
  if (source.terminal) {
    source.read_key = [input_fd](char* key, bool* in_sequence) {
      return terminal::ReadKeyPress(input_fd, key, in_sequence);
    };
    source.read_reply = [input_fd, output_fd](std::string_view prompt, std::string* line,
                                              bool* too_long) {
      return terminal::ReadReply(input_fd, output_fd, prompt, line, too_long);
    };
  }
  return source;
}

ByteSink DescriptorSink(int fd) {
  ByteSink sink;
  sink.write = [fd](const char* data, std::size_t size) {
    return terminal::WriteSome(fd, data, size);
  };
  sink.await = [fd] { return terminal::AwaitReady(fd, true); };
  sink.terminal = terminal::IsTerminal(fd);
  return sink;
}

ProcessConsole::ProcessConsole(int input_fd, int output_fd, int warning_fd)
    : console_(DescriptorSource(input_fd, output_fd), DescriptorSink(output_fd),
               DescriptorSink(warning_fd)) {
  if (!console_.interactive()) return;
  const IoResult entered = terminal::EnterKeyMode(input_fd);
  if (entered.failed()) {
    console_.Fail(Translated("terminal error"), entered.error);
  } else {
    key_mode_ = true;
  }
}

ProcessConsole::~ProcessConsole() {
  console_.Flush();
  if (key_mode_) terminal::LeaveKeyMode();
}

}  // namespace vergleichsspannung
