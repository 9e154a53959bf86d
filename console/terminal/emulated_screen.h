// For tests only: a terminal emulator's screen (libvterm), which shows what a
// person would see of the bytes a program writes to its terminal.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_EMULATED_SCREEN_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_EMULATED_SCREEN_H_

#include <vterm.h>

#include <string>

#include "console/utf8.h"

namespace vergleichsspannung {

class EmulatedScreen {
 public:
  EmulatedScreen(int rows, int columns) : terminal_(vterm_new(rows, columns)) {
    vterm_set_utf8(terminal_, 1);
    screen_ = vterm_obtain_screen(terminal_);
    vterm_screen_reset(screen_, 1);
  }
  ~EmulatedScreen() { vterm_free(terminal_); }
  EmulatedScreen(const EmulatedScreen&) = delete;
  EmulatedScreen& operator=(const EmulatedScreen&) = delete;

  // Takes `bytes` as the terminal receives them.
  void Feed(const std::string& bytes) { vterm_input_write(terminal_, bytes.data(), bytes.size()); }
  void Resize(int rows, int columns) { vterm_set_size(terminal_, rows, columns); }

  // Returns the text of `row` in UTF-8, trailing blanks dropped unless `whole`.
  std::string Row(int row, bool whole = false) const {
    int rows = 0, columns = 0;
    vterm_get_size(terminal_, &rows, &columns);
    std::string text;
    for (int column = 0; column < columns; ++column) {
      VTermScreenCell cell;
      vterm_screen_get_cell(screen_, VTermPos{row, column}, &cell);
      AppendUtf8(cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]), &text);
      if (cell.width == 2) ++column;
    }
    return whole ? text : text.substr(0, text.find_last_not_of(' ') + 1);
  }

  VTermPos Cursor() const {
    VTermPos cursor;
    vterm_state_get_cursorpos(vterm_obtain_state(terminal_), &cursor);
    return cursor;
  }

  // Returns the whole screen, one line per row.
  std::string Text() const {
    int rows = 0, columns = 0;
    vterm_get_size(terminal_, &rows, &columns);
    std::string text;
    for (int row = 0; row < rows; ++row) text += Row(row) + "\n";
    return text;
  }

  // Returns the rows from the last one that starts with `prompt` down to the
  // cursor's row, joined: the reply line as the screen shows it.
  std::string LineFrom(const std::string& prompt) const {
    int row = Cursor().row;
    while (row > 0 && Row(row).rfind(prompt, 0) != 0) --row;
    std::string line;
    for (; row < Cursor().row; ++row) line += Row(row, true);
    return line + Row(row);
  }

 private:
  VTerm* terminal_;
  VTermScreen* screen_;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_EMULATED_SCREEN_H_
