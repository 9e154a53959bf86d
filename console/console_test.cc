#include "console/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    std::string output;
    const std::string input("a\033OP\xc3\xa4\n", 7);
    Console console(input, &output, chunk);
    EXPECT_EQ(AllKeys(&console), (std::vector<int>{'a', 27, 'O', 'P', 0xc3, 0xa4, '\n'}));
    int key = -1;
    EXPECT_FALSE(console.ReadKey(&key));
    EXPECT_EQ(key, -1);
  }
}

TEST(ConsoleTest, CrAndCrLfFromAPipeAreOneLineEnd) {
  for (std::size_t chunk : {1, 2, 3, 4096}) {
    std::string output;
    Console keys("g\r\nx\ry\r\r\n", &output, chunk);
    EXPECT_EQ(AllKeys(&keys), (std::vector<int>{'g', '\n', 'x', '\n', 'y', '\n', '\n'}));
    // After a word the rest of its line goes, up to a CR, a CR LF or an LF.
    Console words("1 x\rg2\r\nw3 y\nq", &output, chunk);
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
    std::string output;
    Console console("  12 rest of line\r\nq 7\n\n8\nz", &output, chunk);
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
  std::string output;
  Console console("bad word\nwq", &output, 3);
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
    std::string output;
    Console console(input, &output, chunk);
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
  std::string output;
  const std::string input("1\0002 \xff\n", 6);
  Console console(input, &output);
  std::string word;
  ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
  EXPECT_EQ(word, std::string("1\0002", 3));
  ASSERT_EQ(console.ReadWord(&word), Console::Word::kRead);
  EXPECT_EQ(word, "\xff");
  EXPECT_EQ(console.ReadWord(&word), Console::Word::kEnd);
}

TEST(ConsoleTest, PrintsTextAndValuesAsGiven) {
  std::string output;
  {
    Console console("", &output);
    console.Print("Ergebnisse:\n");
    console.PrintValue("Sig1= %g[N/mm2]\n", 1206.3141);
    console.PrintValue("%g", -1e-300);
  }
  EXPECT_EQ(output, "Ergebnisse:\nSig1= 1206.31[N/mm2]\n-1e-300");
}

}  // namespace
