#include "console/terminal/reply_drawing.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace vergleichsspannung {

namespace {

// Returns `line` as a window `columns` wide can show it: a character wider
// than the window (a wide one in a window of one column), which no terminal
// can place, stands as '?'.
std::u32string AsShown(std::u32string line, std::size_t columns) {
  for (char32_t& c : line) {
    if (static_cast<std::size_t>(ColumnsOf(c)) > columns) c = U'?';
  }
  return line;
}

// Returns where each character of `line` starts and, last, where the one
// after it would: a character that does not fit before the margin starts
// the next row, as the terminal's wrap puts it there.
std::vector<LinePlace> PlacesOf(const std::u32string& line, std::size_t columns) {
  std::vector<LinePlace> places;
  places.reserve(line.size() + 1);
  LinePlace next;
  for (char32_t c : line) {
    const std::size_t width = static_cast<std::size_t>(std::max(ColumnsOf(c), 1));
    if (next.column + width > columns) next = LinePlace{next.row + 1, 0};
    places.push_back(next);
    next.column += width;
  }
  if (next.column >= columns) next = LinePlace{next.row + 1, 0};
  places.push_back(next);
  return places;
}

// Returns the bytes that show whole[from...] from places[from] on, the
// cursor standing on `row`. Each row ends with a new line of its own, never
// with the terminal's wrap: a terminal that rewraps its rows to a new width
// then keeps them apart as drawn. A line that ends at the margin goes on to
// the next row, where the layout has its end, rather than leave the cursor
// on its last character waiting to wrap.
std::string ShowFrom(const std::u32string& whole, const std::vector<LinePlace>& places,
                     std::size_t from, std::size_t row) {
  std::string bytes;
  for (std::size_t i = from; i < places.size(); ++i) {
    if (places[i].row > row) bytes += '\n';
    row = places[i].row;
    if (i < whole.size()) bytes += Utf8Of(std::u32string_view(&whole[i], 1));
  }
  return bytes;
}

std::string Move(std::size_t count, char direction) {
  return count == 0 ? std::string() : "\033[" + std::to_string(count) + direction;
}

// Returns true when `whole` only adds characters at the end of what the
// screen shows, the cursor at the end before and after, in the same columns.
bool OnlyAdds(const std::u32string& whole, std::size_t prompt_length, const ReplyLine& line,
              const Window& window, const DrawnLine& drawn) {
  const std::u32string& before = drawn.shown_text;
  return drawn.shown && drawn.columns == window.columns && line.cursor == line.text.size() &&
         drawn.shown_cursor + prompt_length == before.size() &&
         whole.compare(0, before.size(), before) == 0;
}

// Draws with cursor addressing: up to the line's first row, clear below,
// draw, and back to the cursor.
std::string DrawAddressed(const std::u32string& whole, const std::vector<LinePlace>& places,
                          std::size_t prompt_length, const ReplyLine& line, const Window& window,
                          DrawnLine* drawn) {
  const LinePlace end = places.back();
  const LinePlace cursor = places[prompt_length + line.cursor];
  std::string bytes;
  if (OnlyAdds(whole, prompt_length, line, window, *drawn)) {
    const std::size_t shown = drawn->shown_text.size();
    bytes = ShowFrom(whole, places, shown, places[shown].row);
  } else {
    bytes = Move(drawn->rows_above_cursor, 'A') + (drawn->shown ? "\r\033[J" : "\r");
    bytes += ShowFrom(whole, places, 0, 0);
  }
  // A line taller than the window has rows above it: moving up stops at the
  // window's top row, as a terminal's cursor movement does.
  if (line.cursor < line.text.size())
    bytes += Move(end.row - cursor.row, 'A') + "\r" + Move(cursor.column, 'C');
  drawn->rows_above_cursor = cursor.row;
  drawn->rows_below_cursor = end.row - cursor.row;
  drawn->shown_cursor = line.cursor;
  return bytes;
}

// Draws without cursor addressing. A line on one row is drawn over itself
// from its start; typing at the end of a longer one only adds characters;
// anything else starts a fresh line, the cursor left at the end unless it
// stands on the last row, which can be written again from its start.
std::string DrawPlain(const std::u32string& whole, const std::vector<LinePlace>& places,
                      std::size_t prompt_length, const ReplyLine& line, const Window& window,
                      DrawnLine* drawn) {
  const LinePlace then = PlacesOf(drawn->shown_text, window.columns).back();
  // A line that stood on one row, and still does, is still on the cursor's
  // row after a resize, whether the terminal cut its rows or rewrapped them.
  const bool same_window = !drawn->shown || drawn->columns == window.columns ||
                           PlacesOf(drawn->shown_text, drawn->columns).back().row == 0;
  const bool at_end = line.cursor == line.text.size();
  std::size_t blanks = 0;
  std::string bytes;
  if (OnlyAdds(whole, prompt_length, line, window, *drawn)) {
    const std::size_t shown = drawn->shown_text.size();
    bytes = ShowFrom(whole, places, shown, places[shown].row);
  } else if (same_window && places.back().row == 0 && then.row == 0) {
    blanks = then.column > places.back().column ? then.column - places.back().column : 0;
    bytes = "\r" + Utf8Of(whole) + std::string(blanks, ' ');
  } else {
    bytes = (drawn->shown ? "\n" : "\r") + ShowFrom(whole, places, 0, 0);
  }
  const std::size_t cursor = prompt_length + line.cursor;
  std::size_t row_start = cursor;
  while (row_start > 0 && places[row_start - 1].row == places[cursor].row) --row_start;
  drawn->shown_cursor = line.text.size();
  if ((!at_end || blanks > 0) && places[cursor].row == places.back().row) {
    bytes += "\r" + Utf8Of(whole.substr(row_start, cursor - row_start));
    drawn->shown_cursor = line.cursor;
  }
  drawn->rows_above_cursor = 0;
  drawn->rows_below_cursor = 0;
  return bytes;
}

}  // namespace

LineLayout LayOutLine(const std::u32string& prompt, const std::u32string& text, std::size_t cursor,
                      std::size_t columns) {
  assert(columns >= 1 && cursor <= text.size());
  const std::vector<LinePlace> places = PlacesOf(AsShown(prompt + text, columns), columns);
  return LineLayout{places[prompt.size() + cursor], places.back()};
}

std::string DrawReplyLine(const std::u32string& prompt, const ReplyLine& line, const Window& window,
                          DrawnLine* drawn) {
  assert(window.columns >= 1 && line.cursor <= line.text.size());
  const std::u32string whole = AsShown(prompt + line.text, window.columns);
  const std::vector<LinePlace> places = PlacesOf(whole, window.columns);
  std::string bytes = window.cursor_addressing
                          ? DrawAddressed(whole, places, prompt.size(), line, window, drawn)
                          : DrawPlain(whole, places, prompt.size(), line, window, drawn);
  drawn->shown = true;
  drawn->shown_text = whole;
  drawn->columns = window.columns;
  return bytes;
}

std::string EndReplyLine(const std::u32string& prompt, const ReplyLine& line, const Window& window,
                         DrawnLine* drawn) {
  ReplyLine at_end = line;
  at_end.cursor = line.text.size();
  std::string bytes = DrawReplyLine(prompt, at_end, window, drawn);
  const LinePlace end =
      PlacesOf(AsShown(prompt + line.text, window.columns), window.columns).back();
  if (end.column != 0 || end.row == 0) bytes += "\n";
  *drawn = DrawnLine();
  return bytes;
}

}  // namespace vergleichsspannung
