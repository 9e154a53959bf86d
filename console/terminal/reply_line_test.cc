#include "console/terminal/reply_line.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "console/terminal/input.h"

namespace vergleichsspannung {

namespace {

// Types `bytes` as one burst on a line; the earlier replies are 111, 222.
// Returns the line as text with a '|' at the cursor, and the last outcome.
std::string Type(const std::string& bytes, LineOutcome* last = nullptr) {
  setlocale(LC_CTYPE, "C.UTF-8");
  ReplyHistory history;
  Remember(&history, "111");
  Remember(&history, "222");
  ReplyLine line;
  KeyDecoder decoder;
  LineOutcome outcome = LineOutcome::kEdited;
  auto apply = [&](const DecodedKeys& decoded) {
    for (int i = 0; i < decoded.count; ++i) outcome = ApplyKey(&line, history, decoded.keys[i]);
  };
  for (char byte : bytes) apply(DecodeByte(&decoder, static_cast<unsigned char>(byte), 0));
  apply(DecodeTimeout(&decoder, kSequenceWaitMs));
  if (last != nullptr) *last = outcome;
  std::u32string text = line.text;
  text.insert(line.cursor, 1, U'|');
  return Utf8Of(text);
}

TEST(ReplyLineTest, KeysEditTheLine) {
  const struct {
    const char* typed;
    const char* line;
  } kCases[] = {
      {"12\033[D3", "13|2"},
      {"123\001"
       "9\005"
       "4",
       "91234|"},                        // Ctrl-A, Ctrl-E
      {"12\t\033[H9\033[F4", "912 4|"},  // a tab is a blank
      {"123\002\002\006"
       "9",
       "129|3"},  // Ctrl-B, Ctrl-F
      {"123\x7f\b", "1|"},
      {"123\001\033[3~\004", "|3"},  // Delete, Ctrl-D
      {"12\033[D\x15", "|"},         // Ctrl-U: the whole line
      {"123\001\006\x0b", "1|"},     // Ctrl-K
      {"12 34  \x17", "12 |"},       // Ctrl-W
      {"12 34\033[D\x17", "12 |4"},
      {"\033[D\033[C\x7f\033[3~", "|"},
      // Keys without action on a reply line.
      {"1\x12\x13\x11\x18\x16\x0c\x1f"
       "2",
       "12|"},
      {"1\033O2P\033O5D\033[2~"
       "2",
       "12|"},
      {"3\033[[A", "3|"},  // the Linux console's F1 is no Up
      {"34\033[[D9", "349|"},
      // Recall: Up goes back as far as there are replies, Down comes back to
      // the line typed; Down with nothing recalled changes nothing.
      {"3\033[A", "222|"},
      {"3\033[A\033[A\033[A", "111|"},
      {"3\033[A\x10\033[B", "222|"},
      {"3\033[A\033[A\016\016", "3|"},
      {"3\033[D\033[B", "|3"},
      {"\033[A\033[D\x7f"
       "5\033[A",
       "111|"},
      // Keys another program's terminal modes send: the keypad's 1 0 . 5,
      // a click amid 100, kitty's a, Backspace, Ctrl-A and U+2212.
      {"1\033Op\033On5\033[M !!00", "10.500|"},
      {"1\033[97u2\033[127u\033[97;5u\033[8722u", "\u2212|1a"},
      // Beyond ASCII: as typed, an undecodable byte as U+FFFD.
      {"\xe2\x80\x94\xe0\xa0\x80\xef\xbc\x91\xe2\x88\xc3\xa4", "\u2014\u0800\uff11\ufffd\u00e4|"},
      {"\xc3\xa4\xe2\x88\x92"
       "1",
       "ä−1|"},
      {"\xff\xc3"
       "1\x80\xc2\x85\xcc\x81",
       "��1���|"},
      {"\xe2\x88\033[D", "|�"},
  };
  for (const auto& c : kCases) EXPECT_EQ(Type(c.typed), c.line) << c.typed;
}

TEST(ReplyLineTest, EnterEndsTheLineAndCtrlDOnAnEmptyOneEndsTheInput) {
  LineOutcome outcome = LineOutcome::kEdited;
  Type("12\r", &outcome);
  EXPECT_EQ(outcome, LineOutcome::kEntered);
  Type("\n", &outcome);
  EXPECT_EQ(outcome, LineOutcome::kEntered);
  Type("\004", &outcome);
  EXPECT_EQ(outcome, LineOutcome::kEndOfInput);
  Type("1\033[D\004", &outcome);
  EXPECT_EQ(outcome, LineOutcome::kEdited);
}

TEST(ReplyLineTest, TheFirstCharacterBeyondTheBoundRingsTheBellOnce) {
  ReplyHistory history;
  ReplyLine line;
  Key key;
  key.kind = Key::Kind::kCharacter;
  key.byte = '7';
  for (std::size_t i = 0; i < kMaxReplyLength; ++i)
    ASSERT_EQ(ApplyKey(&line, history, key), LineOutcome::kEdited) << i;
  EXPECT_FALSE(line.too_long);
  EXPECT_EQ(ApplyKey(&line, history, key), LineOutcome::kBell);
  EXPECT_EQ(ApplyKey(&line, history, key), LineOutcome::kEdited);
  key.byte = '\t';
  EXPECT_EQ(ApplyKey(&line, history, key), LineOutcome::kEdited);
  EXPECT_EQ(line.text.size(), kMaxReplyLength);
  EXPECT_TRUE(line.too_long);
}

TEST(ReplyLineTest, RemembersReplyLinesWorthRecalling) {
  ReplyHistory history;
  for (const char* reply : {"", " \t ", "1", "1", "2", "1"}) Remember(&history, reply);
  EXPECT_EQ(history.replies, (std::vector<std::string>{"1", "2", "1"}));
  Remember(&history, std::string(kLongestRememberedReply + 1, '9'));
  Remember(&history, std::string(kLongestRememberedReply, '8'));
  EXPECT_EQ(history.replies.back(), std::string(kLongestRememberedReply, '8'));
  for (std::size_t i = 0; i < kRememberedReplies; ++i) Remember(&history, std::to_string(i));
  EXPECT_EQ(history.replies.size(), kRememberedReplies);
  EXPECT_EQ(history.replies.front(), "0");
}

}  // namespace

}  // namespace vergleichsspannung
