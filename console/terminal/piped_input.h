// Keys and replies from a pipe or a file: bytes as they come, whatever the
// dialogue asks for; its prompts went to the output.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_PIPED_INPUT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_PIPED_INPUT_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <string_view>
#include <utility>
#include <vector>

#include "console/terminal/byte_stream.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

class PipedInput : public Input {
 public:
  // REQUIRES: source.read and source.await are set.
  explicit PipedInput(ByteSource source) : source_(std::move(source)) {}

  bool terminal() const override { return false; }
  IoResult ReadForKey(std::vector<char>* buffer, KeyRead* read) override;
  IoResult ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                        ReplyRead* read) override;
  IoResult ShowReply(std::string_view prompt, std::string_view text) override;

 private:
  ByteSource source_;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_PIPED_INPUT_H_
