#include "console/process_console.h"

#include <algorithm>
#include <string>
#include <utility>

#include "console/messages.h"
#include "console/terminal/descriptor_stream.h"
#include "console/terminal/key_mode.h"
#include "console/terminal/piped_input.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

std::unique_ptr<Input> DescriptorInput(int input_fd, int output_fd) {
  if (terminal::IsTerminal(input_fd)) return terminal::OpenTerminalInput(input_fd, output_fd);
  return std::make_unique<PipedInput>(DescriptorSource(input_fd));
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
