#include "console/process_console.h"

#include <algorithm>
#include <string>
#include <utility>

#include "console/messages.h"
#include "console/terminal/key_mode.h"
#include "console/terminal/piped_input.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

std::unique_ptr<Input> DescriptorInput(int input_fd, int output_fd) {
  if (terminal::IsTerminal(input_fd)) return terminal::OpenTerminalInput(input_fd, output_fd);
  ByteSource source;
  source.read = [input_fd](char* buffer, std::size_t size) {
    return terminal::ReadSome(input_fd, buffer, size);
  };
  source.await = [input_fd] { return terminal::AwaitReady(input_fd, false); };
  return std::make_unique<PipedInput>(std::move(source));
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
    : input_(DescriptorInput(input_fd, output_fd)),
      console_(input_.get(), DescriptorSink(output_fd), DescriptorSink(warning_fd)) {
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
