#include "console/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/memory_streams.h"
#include "console/menu_loop.h"

namespace vergleichsspannung {

namespace {

// Reads keys until input ends and returns their codes.
std::vector<int> AllKeys(Console* console) {
  std::vector<int> keys;
  int key = 0;
  while (console->ReadKey(&key)) keys.push_back(key);
  return keys;
}

TEST(ConsoleTest, KeysAreSingleBytesAndEndWithTheInput) {
  for (std::size_t chunk : {1, 2, 4096}) {
    const std::string input("a\033OP\xc3\xa4\n", 7);
    MemoryConsole memory(input, chunk);
    Console& console = memory.console;
    EXPECT_EQ(AllKeys(&console), (std::vector<int>{'a', 27, 'O', 'P', 0xc3, 0xa4, '\n'}));
    int key = -1;
    EXPECT_FALSE(console.ReadKey(&key));
    EXPECT_EQ(key, -1);
  }
}

TEST(ConsoleTest, CrAndCrLfFromAPipeAreOneLineEnd) {
  for (std::size_t chunk : {1, 2, 3, 4096}) {
    MemoryConsole keys("g\r\nx\ry\r\r\n", chunk);
    EXPECT_EQ(AllKeys(&keys.console), (std::vector<int>{'g', '\n', 'x', '\n', 'y', '\n', '\n'}));
    // After a word the rest of its line goes, up to a CR, a CR LF or an LF.
    MemoryConsole memory("1 x\rg2\r\nw3 y\nq", chunk);
    Console& words = memory.console;
    std::string word;
    int key = 0;
    for (const char* expected : {"1", "2", "3"}) {
      ASSERT_EQ(words.ReadWord(&word), Console::Word::kRead);
      EXPECT_EQ(word, expected);
      ASSERT_TRUE(words.ReadKey(&key));
      EXPECT_EQ(key, "gwq"[*expected - '1']) << chunk;
    }
  }
}

TEST(ConsoleTest, KeyAfterAWordSkipsTheRestOfItsLine) {
  for (std::size_t chunk : {1, 2, 5, 4096}) {
    MemoryConsole memory("  12 rest of line\r\nq 7\n\n8\nz", chunk);
    Console& console = memory.console;
    std::string word;
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
    EXPECT_EQ(word, "12");
    int key = 0;
    ASSERT_TRUE(console.ReadKey(&key));
    EXPECT_EQ(key, 'q');
    // Without a word read in between, the rest of the line is keys.
    ASSERT_TRUE(console.ReadKey(&key));
    EXPECT_EQ(key, ' ');
    // Words skip line ends; the Enter after the last one is not a key.
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
    EXPECT_EQ(word, "7");
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
    EXPECT_EQ(word, "8");
    ASSERT_TRUE(console.ReadKey(&key));
    EXPECT_EQ(key, 'z');
  }
}

TEST(ConsoleTest, DiscardLineLeavesTheNextLineForKeys) {
  MemoryConsole memory("bad word\nwq", 3);
  Console& console = memory.console;
  std::string word;
  ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
  console.DiscardLine();
  int key = 0;
  ASSERT_TRUE(console.ReadKey(&key));
  EXPECT_EQ(key, 'w');
}

TEST(ConsoleTest, OverlongWordsAreRefusedWholeAndTheNextWordIsIntact) {
  const std::string longest(kMaxWordLength, '7');
  const std::string input = longest + " " + longest + "8\t5";
  for (std::size_t chunk : {1, 7, 4096}) {
    MemoryConsole memory(input, chunk);
    Console& console = memory.console;
    std::string word;
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
    EXPECT_EQ(word, longest);
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kTooLong);
    EXPECT_TRUE(word.empty());
    ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
    EXPECT_EQ(word, "5");
    EXPECT_EQ(console.ReadWord(&word), Console::Word::kEnd);
  }
}

TEST(ConsoleTest, WordsKeepNulAndHighBytes) {
  const std::string input("1\0002 \xff\n", 6);
  MemoryConsole memory(input);
  Console& console = memory.console;
  std::string word;
  ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
  EXPECT_EQ(word, std::string("1\0002", 3));
  ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
  EXPECT_EQ(word, "\xff");
  EXPECT_EQ(console.ReadWord(&word), Console::Word::kEnd);
}

TEST(ConsoleTest, EveryPromptIsWrittenBeforeTheReadThatWaitsForItsAnswer) {
  // Each read of one byte may wait; by then the output must end with what the
  // program waits after: a menu, a prompt or a pause text.
  const std::string keys = "a2\nc1 x\n3\nw b3\ng i q";
  std::string output;
  ByteSource input = MemorySource(keys, 1);
  int reads = 0;
  input.read = [&, read = input.read](char* buffer, std::size_t size) {
    ++reads;
    const bool waits_after_text =
        !output.empty() && (output.back() == '\n' || output.back() == ':' || output.back() == ' ' ||
                            output.back() == '.');
    EXPECT_TRUE(waits_after_text) << "read " << reads << " after: " << output;
    return read(buffer, size);
  };
  std::string warnings;
  {
    PipedInput piped(input);
    Console console(&piped, MemorySink(&output), MemorySink(&warnings));
    EXPECT_EQ(MenuLoop(&console), 0);
  }
  EXPECT_GT(output.size(), 100u);
}

TEST(ConsoleTest, InterruptedAndBlockedCallsAndShortWritesChangeNothing) {
  const std::string keys = "a2\nc1 x\n3\nw b3\ng i q";
  MemoryConsole plain(keys);
  MenuLoop(&plain.console);
  StreamFaults faults;
  faults.interrupt_every = 2;
  faults.block_every = 3;
  std::string output, warnings;
  {
    PipedInput input(MemorySource(keys, 5, faults));
    Console console(&input, MemorySink(&output, 7, faults), MemorySink(&warnings, 3, faults));
    EXPECT_EQ(MenuLoop(&console), 0) << console.failure();
  }
  EXPECT_EQ(output, plain.output);
  EXPECT_EQ(warnings, plain.warnings);
}

TEST(ConsoleTest, OutputArrivesWholeAndInOrderWhateverTheLengthsOfItsTexts) {
  // Texts that fill the output buffer exactly, overflow it by one byte, or
  // are longer than it on their own, between short ones.
  std::string output, warnings, expected;
  {
    PipedInput input(MemorySource(""));
    Console console(&input, MemorySink(&output, 1000), MemorySink(&warnings));
    char fill = 'a';
    for (std::size_t length : {1, 7, 65528, 1, 65535, 2, 65536, 200000, 3, 131073, 5}) {
      const std::string text(length, fill++);
      console.Print(text);
      expected += text;
    }
    EXPECT_TRUE(console.Finish());
  }
  EXPECT_EQ(output.size(), expected.size());
  EXPECT_TRUE(output == expected);
}

TEST(ConsoleTest, AFailedWriteEndsTheDialogueWithStatusOne) {
  const std::string keys = "g w q";
  for (int fail_at = 1; fail_at <= 3; ++fail_at) {
    StreamFaults faults;
    faults.fail_at = fail_at;
    MemoryConsole memory(keys, 1, StreamFaults(), faults);
    EXPECT_EQ(MenuLoop(&memory.console), 1) << fail_at;
    EXPECT_EQ(memory.console.failure(), "write error: No space left on device");
  }
  StreamFaults broken;
  broken.fail_at = 2;
  broken.error = EIO;
  MemoryConsole unreadable(keys, 1, broken);
  EXPECT_EQ(MenuLoop(&unreadable.console), 1);
  EXPECT_EQ(unreadable.console.failure(), "read error: Input/output error");
}

TEST(TerminalConsoleTest, EachPromptShowsWhatItTookAndNoTypedWordGoesUnseen) {
  MemoryTerminal terminal("acq", {"2 9", "7 8 9 10"});
  Workspace workspace;
  EXPECT_EQ(MenuLoop(&terminal.console, &workspace), 0);
  EXPECT_NE(
      terminal.screen.find("\nSigXX [N/mm2]= 7 8 9 10\n\nSigYY [N/mm2]= 8\n\nTauXY [N/mm2]= 9\n"),
      std::string::npos)
      << terminal.screen;
  EXPECT_EQ(terminal.warnings,
            "vergleichsspannung: \"9\" left over after Spannungszustand, not taken\n"
            "vergleichsspannung: \"10\" left over after TauXY, not taken\n");
  EXPECT_EQ(workspace.values.slot[2], 9);  // TauXY of the plane state
  EXPECT_EQ(terminal.screen.substr(terminal.screen.size() - 11), "\nF8 q Exit\n");  // no blank line
}

TEST(TerminalConsoleTest, ARefusedOrEmptyReplyIsAskedAgainAndCtrlDEndsTheLine) {
  MemoryTerminal terminal("cw",
                          {"1 -8O 3", "", std::string(kMaxReplyLength + 1, '5'), "2 3 4 5 6"});
  Workspace workspace;
  EXPECT_EQ(MenuLoop(&terminal.console, &workspace), 0);
  const std::string asked = "\nSigYY [N/mm2]= -8O\nSigYY [N/mm2]= \nSigYY [N/mm2]= " +
                            std::string(kMaxReplyLength + 1, '5') + "\nSigYY [N/mm2]= 2 3 4 5 6\n";
  EXPECT_NE(terminal.screen.find(asked), std::string::npos) << terminal.screen;
  for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(workspace.values.slot[slot], slot + 1);
  // Input ends in the pause; the shell's prompt must start a line of its own.
  EXPECT_EQ(terminal.screen.back(), '\n');
  EXPECT_NE(terminal.warnings.find("\"-8O\" refused for SigYY, which stays 400"),
            std::string::npos);
  EXPECT_NE(terminal.warnings.find("a reply line of more than 1024 characters refused for SigYY"),
            std::string::npos);
}

TEST(ConsoleTest, ALostWarningLetsTheDialogueGoOnAndEndsWithStatusOne) {
  // Two refusals; the first or the second warning cannot be written.
  const std::string keys = "ax\n2\nc1 y\n3\ng q";
  MemoryConsole plain(keys);
  ASSERT_EQ(MenuLoop(&plain.console), 0);
  const std::string first_warning = plain.warnings.substr(0, plain.warnings.find('\n') + 1);
  ASSERT_LT(first_warning.size(), plain.warnings.size());
  for (int fail_at = 1; fail_at <= 2; ++fail_at) {
    StreamFaults faults;
    faults.fail_at = fail_at;
    faults.error = EBADF;
    std::string output, warnings;
    PipedInput input(MemorySource(keys));
    Console console(&input, MemorySink(&output), MemorySink(&warnings, 1 << 20, faults));
    EXPECT_EQ(MenuLoop(&console), 1) << fail_at;
    EXPECT_EQ(output, plain.output) << fail_at;
    EXPECT_EQ(console.failure(), "") << fail_at;
    EXPECT_EQ(warnings, fail_at == 1 ? "" : first_warning) << fail_at;
  }
}

}  // namespace

}  // namespace vergleichsspannung
