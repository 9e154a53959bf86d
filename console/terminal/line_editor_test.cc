#include "console/terminal/line_editor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/memory_streams.h"
#include "console/menu_loop.h"
#include "console/terminal/fake_terminal.h"

namespace vergleichsspannung {

namespace {

constexpr std::string_view kPrompt = "SigXX [N/mm2]= ";

// An editor over a fake terminal that plays `script`.
struct Editor {
  explicit Editor(std::vector<FakeEvent> script) {
    auto device = std::make_unique<FakeTerminal>(std::move(script));
    terminal = device.get();
    editor = std::make_unique<LineEditor>(std::move(device), false);
  }

  // Returns the reply line read, "<end>" for Ctrl-D, "<too long>", or the error.
  std::string Reply() {
    std::vector<char> buffer(16);
    ReplyRead read;
    const IoResult got = editor->ReadForReply(kPrompt, &buffer, &read);
    if (got.failed()) return "error " + std::to_string(got.error);
    if (got.count == 0) return "<end>";
    return read.too_long ? "<too long>" : std::string(buffer.data(), got.count - 1);
  }

  // Returns the menu keys read until the end, each as a byte, a byte of a
  // sequence in brackets, "^" for a continue, "!" for the final failure.
  std::string Keys() {
    std::string keys;
    std::vector<char> buffer(1);
    for (;;) {
      KeyRead read;
      const IoResult got = editor->ReadForKey(&buffer, &read);
      if (got.failed()) return keys + "!";
      if (read.continued) keys += '^';
      if (got.count == 0) continue;
      keys += read.in_sequence ? "[" + std::string(1, buffer[0]) + "]" : std::string(1, buffer[0]);
    }
  }

  FakeTerminal* terminal;
  std::unique_ptr<LineEditor> editor;
};

TEST(LineEditorTest, ASequenceIsCutOnlyByARealPause) {
  struct Row {
    std::vector<FakeEvent> script;
    std::string reply;
  };
  const Row rows[] = {
      // A Left arrow whose bytes came 30 ms apart, read late after a stop.
      {{Typed(0, "12\033"), Stopped(10, 300), Typed(30, "[D3\r")}, "132"},
      {{Typed(0, "12\033"), Typed(90, "[D"), Typed(95, "3\r")}, "132"},
      // A real pause ends it: the rest is typed, Esc alone does nothing.
      {{Typed(0, "12\033"), Typed(300, "[D3\r")}, "12[D3"},
      {{Typed(0, "1\033"), Typed(101, "[C2\r")}, "1[C2"},
  };
  for (const Row& row : rows) EXPECT_EQ(Editor(row.script).Reply(), row.reply);

  // At the menu no byte of a sequence is a command, whatever held the program up.
  EXPECT_EQ(Editor({Typed(0, "\033"), Stopped(5, 200), Typed(30, "[c"), Typed(400, "q")}).Keys(),
            "[\033]^[[][c]q!");
  EXPECT_EQ(Editor({Typed(0, "\033Oq"), Typed(1000, "\033"), Typed(1300, "c")}).Keys(),
            "[\033][O]1[\033]c!");  // the application keypad's 1 is a 1, never a q
}

TEST(LineEditorTest, TheLineIsDrawnAnewAfterResizesAndStopsAndEndsAtAHangUp) {
  // Resized to a width where the line needs two rows: drawn on a cleared screen.
  Editor narrow({Typed(0, "12345678"), Resized(10, 20), Typed(20, "\r")});
  EXPECT_EQ(narrow.Reply(), "12345678");
  EXPECT_NE(narrow.terminal->screen.find("\033[H\033[J\r" + std::string(kPrompt) + "12345"),
            std::string::npos)
      << narrow.terminal->screen;
  // On one row at both widths the line stays where it stood.
  Editor wide({Typed(0, "1"), Resized(10, 60), Typed(20, "\r")});
  EXPECT_EQ(wide.Reply(), "1");
  EXPECT_EQ(wide.terminal->screen.find("\033[H\033[J"), std::string::npos);
  // After a stop the shell wrote below the line: the prompt shows again.
  Editor stopped({Typed(0, "7"), Stopped(10, 50), Typed(60, "\r")});
  EXPECT_EQ(stopped.Reply(), "7");
  const std::string& screen = stopped.terminal->screen;
  EXPECT_NE(screen.find(kPrompt, screen.find(kPrompt) + 1), std::string::npos) << screen;
  EXPECT_EQ(stopped.terminal->open_line_rows, -1);
  // A hang-up fails in a reply and at the menu; Ctrl-D on an empty line ends input.
  // The signal handlers learn how many rows of a wrapped line stand below
  // the cursor (Home puts it on the first of two).
  Editor hung({Typed(0, std::string(70, '1') + "\033[H"), HungUp(5)});
  EXPECT_EQ(hung.Reply(), "error " + std::to_string(EIO));
  EXPECT_EQ(hung.terminal->open_line_rows, 1);
  EXPECT_EQ(Editor({Typed(0, "a"), HungUp(5)}).Keys(), "a!");
  EXPECT_EQ(Editor({Typed(0, "\004")}).Reply(), "<end>");
}

TEST(LineEditorTest, KeysTypedAheadEditTheLineAndUpRecallsEarlierReplies) {
  Editor editor({Typed(0,
                       "cc\x7f\x7f"
                       "5\r12\033[D3\r"),
                 Typed(50, "\033[A\033[A\r")});
  for (const char* reply : {"5", "132", "5"}) EXPECT_EQ(editor.Reply(), reply);
  // rxvt's Shift+Up and Shift+Right and Alt+q are no menu keys, and the
  // application keypad's 1 is a 1; nor are their bytes once a pause has gone by.
  EXPECT_EQ(
      Editor({Typed(0, "\033[a\033[c\033Oq\033q"), Typed(200, "\033"), Typed(500, "w")}).Keys(),
      "[\033][[][a][\033][[][c][\033][O]1[\033][q][\033]w!");
}

TEST(LineEditorTest, TheMenuShowsAgainAfterAStop) {
  auto device = std::make_unique<FakeTerminal>(
      std::vector<FakeEvent>{Stopped(10, 20), Typed(30, "i"), Stopped(40, 50), Typed(60, " q")});
  LineEditor editor(std::move(device), false);
  std::string output;
  ByteSink screen = MemorySink(&output);
  screen.terminal = true;
  std::string warnings;
  Console console(&editor, screen, MemorySink(&warnings));
  EXPECT_EQ(MenuLoop(&console), 0);
  const std::string menu = "Vergleichsspannung,i Info\n";
  const std::size_t first = output.find(menu);
  const std::size_t second = output.find(menu, first + 1);
  ASSERT_NE(second, std::string::npos) << output;
  EXPECT_EQ(output.find("QUILM"), output.rfind("QUILM")) << output;
  // The pause shows its text again, before the menu that follows it.
  const std::size_t pause = output.find("weiter mit bel.Taste..");
  EXPECT_NE(output.find("weiter mit bel.Taste..", pause + 1), std::string::npos) << output;
}

}  // namespace

}  // namespace vergleichsspannung
