// Types random bytes with random gaps on the reply line at random window
// widths: each byte goes through the key decoder into the line, and every
// drawing goes to a terminal emulator. Checks that the cursor stays within
// the text, the text within its bound, and that the emulator's cursor and
// the line's first row stand where the layout says.
#include <vterm.h>

#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/terminal/input.h"
#include "console/terminal/key_decoder.h"
#include "console/terminal/reply_drawing.h"
#include "console/terminal/reply_line.h"
#include "console/terminal/utf8_text.h"

namespace vergleichsspannung {

namespace {

constexpr int kScreenRows = 12;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "does not hold: %s\n", what);
  abort();
}

// The typist: the line, its drawing and the emulator that shows it.
struct Typist {
  VTerm* terminal = nullptr;
  std::u32string prompt;
  ReplyHistory history;
  ReplyLine line;
  DrawnLine drawn;
  Window window;
};

VTermPos CursorOf(VTerm* terminal) {
  VTermPos cursor;
  vterm_state_get_cursorpos(vterm_obtain_state(terminal), &cursor);
  return cursor;
}

void Show(Typist* typist, const std::string& bytes) {
  vterm_input_write(typist->terminal, bytes.data(), bytes.size());
}

// Draws the line and checks where it stands on the emulator's screen.
void DrawAndCheck(Typist* typist) {
  std::string bytes = DrawReplyLine(typist->prompt, typist->line, typist->window, &typist->drawn);
  std::string processed;  // LF as CR LF, as the terminal's output processing hands it on
  for (char c : bytes) processed += c == '\n' ? std::string("\r\n") : std::string(1, c);
  Show(typist, processed);
  const LineLayout layout =
      LayOutLine(typist->prompt, typist->line.text, typist->line.cursor, typist->window.columns);
  Check(typist->drawn.rows_below_cursor + typist->drawn.rows_above_cursor <= layout.end.row,
        "rows within the line");
  // Without addressing, a line taller than the window, and one column, where
  // libvterm (unlike xterm and tmux) keeps a wrap pending across CR LF on the
  // bottom row, the screen is not checked.
  if (!typist->window.cursor_addressing || layout.end.row >= kScreenRows ||
      typist->window.columns == 1)
    return;
  Check(typist->drawn.rows_above_cursor == layout.cursor.row, "rows above the cursor");
  // libvterm's width table differs from glibc's, which the layout follows,
  // for some marks of the right-to-left scripts (U+06DE takes a column in
  // glibc and none in libvterm): there the screen is not checked.
  for (char32_t c : typist->line.text) {
    if (c >= 0x0590 && c <= 0x08ff) return;
  }
  const VTermPos cursor = CursorOf(typist->terminal);
  Check(cursor.col == static_cast<int>(layout.cursor.column), "cursor in the layout's column");
  Check(cursor.row >= static_cast<int>(layout.cursor.row), "line begins on the screen");
  // In a narrow window most rows are filled to the margin; where such a line
  // reaches the screen's bottom row, libvterm (unlike xterm and tmux) keeps
  // the wrap pending across CR LF and scrolls once more, so the rows above
  // are not where a real terminal shows them.
  if (typist->window.columns < 10 && cursor.row == kScreenRows - 1) return;
  // The line's first row begins with the prompt.
  const int first_row = cursor.row - static_cast<int>(layout.cursor.row);
  VTermScreen* screen = vterm_obtain_screen(typist->terminal);
  std::size_t column = 0;
  for (char32_t c : typist->prompt) {
    const std::size_t width = static_cast<std::size_t>(ColumnsOf(c));
    if (column + width > typist->window.columns) break;
    VTermScreenCell cell;
    vterm_screen_get_cell(screen, VTermPos{first_row, static_cast<int>(column)}, &cell);
    Check(cell.chars[0] == c, "prompt on the line's first row");
    column += width;
  }
}

void Type(Typist* typist, const DecodedKeys& keys) {
  for (int i = 0; i < keys.count; ++i) {
    const LineOutcome outcome = ApplyKey(&typist->line, typist->history, keys.keys[i]);
    Check(typist->line.cursor <= typist->line.text.size(), "cursor within the text");
    Check(typist->line.text.size() <= kMaxReplyLength, "text within the bound");
    if (outcome == LineOutcome::kEntered || outcome == LineOutcome::kEndOfInput) {
      Show(typist, EndReplyLine(typist->prompt, typist->line, typist->window, &typist->drawn));
      Show(typist, "\r\n");
      if (!typist->line.too_long) Remember(&typist->history, ReplyText(typist->line));
      typist->line = ReplyLine();
      Check(!typist->drawn.shown, "nothing drawn after Enter");
    }
  }
}

}  // namespace

}  // namespace vergleichsspannung

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vergleichsspannung;  // NOLINT(google-build-using-namespace)
  static const bool locale_set = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
  (void)locale_set;
  if (size < 2) return 0;
  static const char32_t* const kPrompts[] = {U"SigXX [N/mm2]= ", U"Ihre Wahl:", U"",
                                             U"Breite\uff12 "};
  Typist typist;
  typist.prompt = kPrompts[data[0] % 4];
  typist.window.cursor_addressing = (data[0] & 4) == 0;
  typist.window.columns = 1 + data[1] % 49;
  typist.terminal = vterm_new(kScreenRows, static_cast<int>(typist.window.columns));
  vterm_set_utf8(typist.terminal, 1);
  vterm_screen_reset(vterm_obtain_screen(typist.terminal), 1);
  KeyDecoder decoder;
  long now = 0;
  // Then pairs: a gap in milliseconds (above 200: a resize to that many
  // columns less 200 instead) and a byte.
  for (size_t i = 2; i + 1 < size; i += 2) {
    if (data[i] > 200) {
      typist.window.columns = data[i] - 200u;
      vterm_set_size(typist.terminal, kScreenRows, static_cast<int>(typist.window.columns));
    } else {
      now += data[i];
      Type(&typist, DecodeTimeout(&decoder, now));
    }
    Type(&typist, DecodeByte(&decoder, data[i + 1], now));
    if (i + 3 >= size || data[i + 2] != 0) DrawAndCheck(&typist);
  }
  vterm_free(typist.terminal);
  return 0;
}
