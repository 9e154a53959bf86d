// The console of the process: its descriptors as byte source and sinks, the
// terminal in key mode for the console's life when input is one.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_PROCESS_CONSOLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_PROCESS_CONSOLE_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <memory>

#include "console/console.h"
#include "console/terminal/byte_stream.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

// Returns the input that reads `input_fd`: a terminal's keys and reply lines
// (the editor draws on that terminal; `output_fd` says where the prompts
// went too), or a pipe's or file's bytes.
std::unique_ptr<Input> DescriptorInput(int input_fd, int output_fd);

class ProcessConsole {
 public:
  // Creates the console over the three descriptors (the process's are 0, 1,
  // 2). When input is a terminal that cannot be put into key mode, the
  // console has failed at once ("terminal error: ...").
  ProcessConsole(int input_fd, int output_fd, int warning_fd);
  ProcessConsole(const ProcessConsole&) = delete;
  ProcessConsole& operator=(const ProcessConsole&) = delete;
  // Closes the console if Close has not.
  ~ProcessConsole();

  // Writes out what is left and gives the terminal its settings back.
  // Returns false when either failed; the console's failure then says why,
  // unless an earlier failure is kept there.
  bool Close();

  Console* console() { return &console_; }

 private:
  std::unique_ptr<Input> input_;
  Console console_;
  bool key_mode_ = false;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_PROCESS_CONSOLE_H_
