// Where the dialogue's keys and replies come from: a pipe or file, a POSIX
// terminal, the Windows console, or a terminal in memory for the tests. The
// dialogue names each prompt it asks a reply for; an input never has to find
// a prompt in the text written before it.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_INPUT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_INPUT_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <string_view>
#include <vector>

#include "console/terminal/byte_stream.h"

namespace vergleichsspannung {

// The longest reply line a terminal keeps, in characters; a longer one is
// refused whole.
constexpr std::size_t kMaxReplyLength = 1024;

// What one read for a key gave besides its bytes.
struct KeyRead {
  // On a terminal: the key is a byte of an escape sequence (an arrow or a
  // function key, its ESC included), which no command takes.
  bool in_sequence = false;
  // On a terminal: the program went on after a stop (Ctrl-Z, fg) while it
  // waited, and nothing was read; what stood on the screen is to be shown
  // again.
  bool continued = false;
};

// What one read for a reply gave besides its bytes.
struct ReplyRead {
  // On a terminal: the reply line had more than kMaxReplyLength characters
  // and is refused whole; the bytes read are then one newline.
  bool too_long = false;
};

class Input {
 public:
  virtual ~Input() = default;

  // Returns true when a person types the input at a terminal: keys one at a
  // time, replies on a line typed behind their prompt, and asked again.
  virtual bool terminal() const = 0;

  // Reads what comes next for a key into *buffer (from its start, within its
  // size): from a pipe whatever bytes are there, from a terminal one key's
  // byte. Counts the bytes, 0 at the end of input; reports a failure with its
  // errno value.
  // REQUIRES: !buffer->empty().
  virtual IoResult ReadForKey(std::vector<char>* buffer, KeyRead* read) = 0;

  // Reads what comes next for a reply to `prompt` (the text on the prompt's
  // own line) into *buffer, grown when needed: from a pipe whatever bytes are
  // there (the prompt was written to the output), from a terminal one reply
  // line typed behind `prompt`, ended by a newline. Counts the bytes, 0 at
  // the end of input (Ctrl-D on an empty line).
  // REQUIRES: !buffer->empty().
  virtual IoResult ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                                ReplyRead* read) = 0;

  // Shows `text` behind `prompt` as though typed there and entered: a word
  // that a prompt took from a line typed for an earlier one. Nothing from a
  // pipe.
  virtual IoResult ShowReply(std::string_view prompt, std::string_view text) = 0;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_INPUT_H_
