#include "console/terminal/reply_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "console/terminal/emulated_screen.h"

namespace vergleichsspannung {

namespace {

// A terminal emulator's screen, fed what a drawing writes as the terminal's
// output processing hands it on (LF as CR LF); Text() ends with "@row,column"
// for the cursor.
class Screen {
 public:
  Screen(int rows, int columns) : screen_(rows, columns) {}

  void Feed(const std::string& bytes) {
    std::string processed;
    for (char c : bytes) processed += c == '\n' ? std::string("\r\n") : std::string(1, c);
    screen_.Feed(processed);
  }
  void Resize(int rows, int columns) { screen_.Resize(rows, columns); }

  std::string Text() const {
    const VTermPos cursor = screen_.Cursor();
    return screen_.Text() + "@" + std::to_string(cursor.row) + "," + std::to_string(cursor.col);
  }

 private:
  EmulatedScreen screen_;
};

// Returns the screen of `rows` rows holding `text` cut into rows of
// `columns`, from `first_row` of that on, with the cursor at `cursor`.
std::string ScreenOf(const std::string& text, std::size_t columns, std::size_t rows,
                     std::size_t first_row, LinePlace cursor) {
  std::string screen;
  for (std::size_t row = first_row; row < first_row + rows; ++row) {
    const std::string cut = row * columns < text.size() ? text.substr(row * columns, columns) : "";
    screen += cut.substr(0, cut.find_last_not_of(' ') + 1) + "\n";
  }
  return screen + "@" + std::to_string(cursor.row) + "," + std::to_string(cursor.column);
}

const std::u32string kPrompt = U"SigXX [N/mm2]= ";

ReplyLine LineOf(const std::string& text, std::size_t cursor) {
  ReplyLine line;
  line.text = CharactersOf(text);
  line.cursor = cursor;
  return line;
}

TEST(ReplyDrawingTest, RedrawsShowTheLineAndItsCursorAtEveryWidth) {
  setlocale(LC_CTYPE, "C.UTF-8");
  // A heading of exactly two rows of ten above the prompt.
  const std::string heading = "raeuml.SpaZustand...";
  constexpr std::size_t kRows = 128;  // the longest line, at one column, and the heading
  for (std::size_t columns : {1u, 2u, 10u, 11u, 15u, 16u, 17u, 20u, 29u, 30u, 40u}) {
    for (std::size_t length : {0u, 1u, 5u, 14u, 15u, 25u, 45u}) {
      const std::string text =
          std::string("1234567890123456789012345678901234567890123456789", length);
      for (std::size_t cursor : {length, length / 2, std::size_t{0}}) {
        Screen screen(kRows, static_cast<int>(columns));
        screen.Feed(heading + "\r\n");
        const Window window{columns, true};
        DrawnLine drawn;
        // Typed longer, then cut back and the cursor moved: every redraw starts
        // where the last one left the cursor.
        screen.Feed(DrawReplyLine(kPrompt, LineOf(text + "abcdefghijklmn", 3), window, &drawn));
        screen.Feed(DrawReplyLine(kPrompt, LineOf(text + "abc", length + 3), window, &drawn));
        const std::string redraw = DrawReplyLine(kPrompt, LineOf(text, cursor), window, &drawn);
        screen.Feed(redraw);
        // Every row ends in a line break of its own, none in the terminal's
        // wrap, which a terminal that rewraps its rows would join on widening.
        EXPECT_EQ(static_cast<std::size_t>(std::count(redraw.begin(), redraw.end(), '\n')),
                  LayOutLine(kPrompt, CharactersOf(text), cursor, columns).end.row);
        std::string typed = text;
        if (cursor == length) {  // typing on at the end adds characters only
          typed += "12345";
          screen.Feed(DrawReplyLine(kPrompt, LineOf(typed, typed.size()), window, &drawn));
          cursor = typed.size();
        }
        const LineLayout layout = LayOutLine(kPrompt, CharactersOf(typed), cursor, columns);
        const std::size_t heading_rows = (heading.size() + columns - 1) / columns;
        std::string whole = heading;
        whole.append(heading_rows * columns - heading.size(), ' ');
        whole += Utf8Of(kPrompt);
        whole += typed;
        EXPECT_EQ(screen.Text(),
                  ScreenOf(whole, columns, kRows, 0,
                           LinePlace{heading_rows + layout.cursor.row, layout.cursor.column}))
            << columns << " columns, " << length << " long, cursor " << cursor;
        EXPECT_EQ(drawn.rows_below_cursor, layout.end.row - layout.cursor.row);
        // Enter leaves the cursor at the start of the row below the line.
        screen.Feed(EndReplyLine(kPrompt, LineOf(typed, cursor), window, &drawn) + "X");
        const std::string ended =
            whole + std::string((columns - whole.size() % columns) % columns, ' ') + "X";
        EXPECT_EQ(screen.Text(), ScreenOf(ended, columns, kRows, 0,
                                          LinePlace{(ended.size() - 1) / columns, 1 % columns}))
            << columns << " columns, " << length << " long, at Enter";
      }
    }
  }
}

TEST(ReplyDrawingTest, AWideCharacterThatDoesNotFitStartsTheNextRow) {
  setlocale(LC_CTYPE, "C.UTF-8");
  Screen screen(4, 10);
  DrawnLine drawn;
  const ReplyLine line = LineOf(
      "1\xef\xbc\x92"
      "3",
      3);  // 1, a full-width 2, 3
  screen.Feed(DrawReplyLine(U"Wahl:123", line, Window{10, true}, &drawn));
  EXPECT_EQ(screen.Text(),
            "Wahl:1231\n\xef\xbc\x92"
            "3\n\n\n@1,3");
  const LineLayout layout = LayOutLine(U"Wahl:123", line.text, 1, 10);
  EXPECT_EQ(layout.cursor.row, 1u);
  EXPECT_EQ(layout.cursor.column, 0u);
  // Enter on an empty line behind no prompt still ends the line.
  DrawnLine empty;
  EXPECT_EQ(EndReplyLine(U"", LineOf("", 0), Window{10, true}, &empty), "\r\n");
  // In a window of one column it stands as '?', on a row of its own.
  Screen narrow(6, 1);
  DrawnLine narrow_drawn;
  narrow.Feed(DrawReplyLine(U"W:", line, Window{1, true}, &narrow_drawn));
  EXPECT_EQ(narrow.Text(), "W\n:\n1\n?\n3\n\n@5,0");
}

TEST(ReplyDrawingTest, AResizeLeavesOneCopyOfThePrompt) {
  setlocale(LC_CTYPE, "C.UTF-8");
  // The cursor inside the reply, and at its end with a digit typed after
  // each resize.
  for (bool typing : {false, true}) {
    Screen screen(24, 80);
    screen.Feed("Heading\r\n");
    DrawnLine drawn;
    ReplyLine line = LineOf("120 -80 45 17 300 12.5 19", 10);
    for (std::size_t columns : {80u, 15u, 10u, 80u, 15u}) {
      screen.Resize(24, static_cast<int>(columns));
      if (typing) line = LineOf(Utf8Of(line.text) + "7", line.text.size() + 1);
      screen.Feed(DrawReplyLine(kPrompt, line, Window{columns, true}, &drawn));
      const LineLayout layout = LayOutLine(kPrompt, line.text, line.cursor, columns);
      std::string shown = std::string("Heading").substr(0, columns);
      shown.append(columns - shown.size(), ' ');
      shown += Utf8Of(kPrompt) + Utf8Of(line.text);
      EXPECT_EQ(screen.Text(), ScreenOf(shown, columns, 24, 0,
                                        LinePlace{1 + layout.cursor.row, layout.cursor.column}))
          << columns << (typing ? " columns, typing" : " columns");
    }
  }
}

TEST(ReplyDrawingTest, ALineTallerThanTheWindowShowsItsLastRows) {
  setlocale(LC_CTYPE, "C.UTF-8");
  Screen screen(5, 10);
  DrawnLine drawn;
  const Window window{10, true};
  const std::string text(64, '7');  // with the prompt 8 rows of 10
  const std::string whole = Utf8Of(kPrompt) + text;
  for (std::size_t cursor : {std::size_t{64}, std::size_t{0}, std::size_t{40}, std::size_t{64}}) {
    screen.Feed(DrawReplyLine(kPrompt, LineOf(text, cursor), window, &drawn));
    const LineLayout layout = LayOutLine(kPrompt, CharactersOf(text), cursor, 10);
    const std::size_t row = std::max<std::size_t>(layout.cursor.row, 3) - 3;
    EXPECT_EQ(screen.Text(), ScreenOf(whole, 10, 5, 3, LinePlace{row, layout.cursor.column}))
        << cursor;
  }
  // Shorter again: drawn from the window's top.
  screen.Feed(DrawReplyLine(kPrompt, LineOf("12", 2), window, &drawn));
  EXPECT_EQ(screen.Text(), ScreenOf(Utf8Of(kPrompt) + "12", 10, 5, 0, LinePlace{1, 7}));
}

TEST(ReplyDrawingTest, WithoutCursorAddressingALineIsDrawnOverItselfOrOnAFreshRow) {
  setlocale(LC_CTYPE, "C.UTF-8");
  Screen screen(6, 20);
  DrawnLine drawn;
  const Window window{20, false};
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf("12345", 5), window, &drawn));
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf("12", 2), window, &drawn));
  EXPECT_EQ(screen.Text(), "Wahl:12\n\n\n\n\n\n@0,7");
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf("132", 2), window, &drawn));
  EXPECT_EQ(screen.Text(), "Wahl:132\n\n\n\n\n\n@0,7");
  // After a resize a line on one row at both widths is drawn over itself.
  screen.Resize(6, 12);
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf("132", 2), Window{12, false}, &drawn));
  EXPECT_EQ(screen.Text(), "Wahl:132\n\n\n\n\n\n@0,7");
  screen.Resize(6, 20);
  // Typing at the end of a wrapped line adds the character only.
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf(std::string(20, '4'), 20), window, &drawn));
  const std::string added =
      DrawReplyLine(U"Wahl:", LineOf(std::string(21, '4'), 21), window, &drawn);
  EXPECT_EQ(added, "4");
  screen.Feed(added);
  EXPECT_EQ(screen.Text(), "Wahl:132\nWahl:444444444444444\n444444\n\n\n\n@2,6");
  EXPECT_EQ(drawn.rows_below_cursor, 0u);
  // A cursor on an earlier row stays at the end.
  screen.Feed(DrawReplyLine(U"Wahl:", LineOf(std::string(21, '4'), 3), window, &drawn));
  EXPECT_EQ(drawn.shown_cursor, 21u);
}

}  // namespace

}  // namespace vergleichsspannung
