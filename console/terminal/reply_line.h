// A reply line being typed on a terminal: its characters, the cursor and the
// replies of this session recalled with Up and Down, changed key by key.
// Nothing here reads or writes: the reader hands in keys and draws.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_LINE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_LINE_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/terminal/key_decoder.h"
#include "console/terminal/utf8_text.h"

namespace vergleichsspannung {

// Replies recalled with Up and Down, kept in memory for this session only;
// a pasted block longer than a line of numbers is not worth recalling.
constexpr std::size_t kRememberedReplies = 500;
constexpr std::size_t kLongestRememberedReply = 256;

// The replies entered so far, oldest first, in UTF-8.
struct ReplyHistory {
  std::vector<std::string> replies;
};

// One reply being typed.
struct ReplyLine {
  std::u32string text;
  std::size_t cursor = 0;    // characters before it
  std::size_t recalled = 0;  // how far Up went back; 0: the line being typed
  std::u32string typed;      // the line being typed, kept while one is recalled
  bool too_long = false;     // a character did not fit: Enter refuses the line
  std::string partial;       // the first bytes of a UTF-8 character
};

// What a key asks of the reader besides drawing the line again.
enum class LineOutcome { kEdited, kBell, kEntered, kEndOfInput };

// Applies `key` to `line`: inserts a character (up to kMaxReplyLength, the
// first one beyond rings the bell), edits, recalls from `history`.
LineOutcome ApplyKey(ReplyLine* line, const ReplyHistory& history, const Key& key);

// Returns the line's text in UTF-8.
std::string ReplyText(const ReplyLine& line);

// Keeps `reply` (UTF-8, without its newline) for Up to recall: not a blank
// one, one too long, nor the last one again.
void Remember(ReplyHistory* history, const std::string& reply);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_LINE_H_
