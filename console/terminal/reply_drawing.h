// Where a reply line stands on a terminal of a given size and the bytes that
// draw it anew, from where the cursor stands now. Cursor movement uses the
// VT100 sequences every terminal in use understands; a terminal without
// cursor addressing (TERM dumb or unset) gets carriage returns and new lines.
// A new line is written as "\n", which the terminal's output processing
// turns into CR LF, as for all the program's text.
// Each row ends in a line break of its own, so that a terminal that rewraps
// its rows on a resize (tmux, VTE) keeps them apart; after a resize that
// may have moved them, the reader clears the screen first (line_editor).
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_DRAWING_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_DRAWING_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>

#include "console/terminal/reply_line.h"

namespace vergleichsspannung {

// The window a line is drawn in.
struct Window {
  std::size_t columns = 80;
  bool cursor_addressing = true;  // false for TERM dumb or unset
};

// A place on the line, in rows from its first row and columns.
struct LinePlace {
  std::size_t row = 0;
  std::size_t column = 0;
};

// Where prompt and reply stand when drawn from the start of a row. `end`
// follows the last character; a line that fills its last row to the margin
// ends at the start of the next row.
struct LineLayout {
  LinePlace cursor;
  LinePlace end;
};

// Returns where `prompt` followed by `text` with the cursor before
// text[cursor] stands in `columns` columns. A character wider than the
// window, which no terminal can place, is drawn as '?' and laid out so.
// REQUIRES: columns >= 1, cursor <= text.size().
LineLayout LayOutLine(const std::u32string& prompt, const std::u32string& text, std::size_t cursor,
                      std::size_t columns);

// What the last drawing left on the screen.
struct DrawnLine {
  bool shown = false;
  std::size_t rows_above_cursor = 0;  // of the line, above the cursor's row
  std::size_t rows_below_cursor = 0;
  std::size_t shown_cursor = 0;  // where in the reply the screen's cursor stands
  // For a terminal without cursor addressing: prompt and reply as drawn,
  // and the columns they were drawn in.
  std::u32string shown_text;
  std::size_t columns = 0;
};

// Returns the bytes that draw `prompt` and `line` anew in `window` from
// where *drawn says the cursor stands (from the start of the cursor's row
// when nothing is drawn yet), and updates *drawn.
std::string DrawReplyLine(const std::u32string& prompt, const ReplyLine& line, const Window& window,
                          DrawnLine* drawn);

// Returns the bytes that show the whole line once more and leave the cursor
// at the start of the row below it, as Enter does.
std::string EndReplyLine(const std::u32string& prompt, const ReplyLine& line, const Window& window,
                         DrawnLine* drawn);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_REPLY_DRAWING_H_
