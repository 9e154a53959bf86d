// The keys and reply lines of a terminal, over a TerminalDevice: bytes read
// in bursts, decoded into keys, applied to the reply line and drawn, with
// resizes, stops and continues, hang-ups and the waits of escape sequences.
// All its state lives in the one LineEditor; nothing here calls the system.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_LINE_EDITOR_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_LINE_EDITOR_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/terminal/input.h"
#include "console/terminal/key_decoder.h"
#include "console/terminal/reply_drawing.h"
#include "console/terminal/reply_line.h"
#include "console/terminal/terminal_device.h"

namespace vergleichsspannung {

class LineEditor : public Input {
 public:
  // Reads keys and replies from `device`; `prompt_in_output` tells that the
  // dialogue's output is no terminal, so its prompts went there too.
  // REQUIRES: `device` is in key mode.
  LineEditor(std::unique_ptr<TerminalDevice> device, bool prompt_in_output)
      : device_(std::move(device)), prompt_in_output_(prompt_in_output) {}

  bool terminal() const override { return true; }

  // Reads one key's byte; bytes typed ahead stay queued for the next read.
  // Sets read->in_sequence for a byte of an escape sequence: one whose next
  // byte was there before the sequence's wait ran out, however late the
  // program looked. Sets read->continued, reading nothing, when the program
  // went on after a stop while it waited. Never counts 0: a hang-up fails
  // with EIO.
  IoResult ReadForKey(std::vector<char>* buffer, KeyRead* read) override;

  // Lets the user type a reply line behind `prompt`, with editing, keys
  // typed ahead shown on the line and the session's earlier replies
  // recalled with Up and Down, drawn anew after a resize or a stop and
  // continue. Counts the line with its newline, 0 for Ctrl-D on an empty
  // line; a line of more than kMaxReplyLength characters gives one newline
  // and read->too_long.
  IoResult ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                        ReplyRead* read) override;

  // Shows `text` behind `prompt` as a reply typed and entered.
  IoResult ShowReply(std::string_view prompt, std::string_view text) override;

 private:
  // One reply being typed and drawn.
  struct Reply {
    std::u32string prompt;
    ReplyLine line;
    DrawnLine drawn;
    Window window;
    bool stale = true;  // the screen does not show the line as it is
  };

  // What a wait for bytes gave.
  enum class Got { kBytes, kPause, kScreenEvent, kNothing };

  // Waits as long as an open sequence allows (for ever when none is open)
  // and reads what came into the queue. A sequence's wait that ran out is
  // a pause only when, checked once more without waiting, nothing is there.
  IoResult Fill(Got* got);

  // Takes the next keys of a reply: those of the next byte, or of a
  // sequence that a pause ended. Draws the line before waiting.
  IoResult NextKeys(Reply* reply, DecodedKeys* keys);

  // Draws the reply line if the screen does not show it, after the screen
  // events that arrived.
  IoResult Show(Reply* reply);

  // Shows the whole line and begins the next one, as Enter does.
  IoResult Enter(Reply* reply, std::vector<char>* buffer, ReplyRead* read);

  // Opens the terminal to draw on at the first reply, and lets a reader of
  // the redirected output show the prompt first.
  IoResult ReadyToDraw();

  // Returns the window the line is drawn in now.
  Window CurrentWindow();

  std::unique_ptr<TerminalDevice> device_;
  bool prompt_in_output_;
  bool open_to_draw_ = false;
  // Bytes read and not yet taken, and when they came. A reply typed ahead
  // behind a menu key waits here for its prompt.
  char bytes_[4096] = {};
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  long arrived_ms_ = 0;
  KeyDecoder decoder_;
  ReplyHistory history_;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_LINE_EDITOR_H_
