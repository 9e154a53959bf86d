#include "console/process_console.h"

#include "console/messages.h"
#include "console/terminal/key_mode.h"
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
    source.show_reply = [input_fd, output_fd](std::string_view prompt, std::string_view text) {
      return terminal::ShowReply(input_fd, output_fd, prompt, text);
    };
  }
  return source;
}

ByteSink DescriptorSink(int fd) {
  ByteSink sink;
  sink.terminal = terminal::IsTerminal(fd);
  if (sink.terminal) {
    // A signal that ends the program ends the line the text left open first.
    sink.write = [fd](const char* data, std::size_t size) {
      const IoResult written = terminal::WriteSome(fd, data, size);
      if (written.count > 0) terminal::NoteOpenLine(data[written.count - 1] == '\n' ? -1 : fd, 0);
      return written;
    };
  } else {
    sink.write = [fd](const char* data, std::size_t size) {
      return terminal::WriteSome(fd, data, size);
    };
  }
  sink.await = [fd] { return terminal::AwaitReady(fd, true); };
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

ProcessConsole::~ProcessConsole() { Close(); }

bool ProcessConsole::Close() {
  const bool flushed = console_.Flush();
  if (!key_mode_) return flushed;
  key_mode_ = false;
  const IoResult left = terminal::LeaveKeyMode();
  if (left.failed()) console_.Fail(Translated("terminal error"), left.error);
  return flushed && !left.failed();
}

}  // namespace vergleichsspannung
