#include "console/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/utf8.h"

namespace vergleichsspannung {

namespace {

// Bytes that arrive together, `gap_ms` after the ones before.
struct Burst {
  long gap_ms;
  std::string bytes;
};

// Names a key: itself for a printable byte or character, ^X for a control, <U> <D> <R>
// <L> <H> <E> <X> for Up, Down, Right, Left, Home, End, Delete, <-> for a key
// without action.
std::string NameOf(const Key& key) {
  if (key.kind == Key::Kind::kNoAction) return "<->";
  std::string text;
  if (key.kind == Key::Kind::kText) AppendUtf8(key.text, &text);
  if (key.kind == Key::Kind::kText) return text;
  if (key.kind == Key::Kind::kCharacter) {
    if (key.byte < 0x20) return std::string("^") + static_cast<char>(key.byte + '@');
    return std::string(1, static_cast<char>(key.byte));
  }
  return std::string("<") + "UDRLHEX"[static_cast<int>(key.editing)] + ">";
}

// Returns the keys the bursts decode to, and the code the menu takes for
// each byte ('.' for none).
std::string Decode(const std::vector<Burst>& bursts, std::string* menu_codes = nullptr) {
  KeyDecoder decoder;
  long now = 1000;
  std::string keys;
  auto take = [&keys](const DecodedKeys& decoded) {
    for (int i = 0; i < decoded.count; ++i) keys += NameOf(decoded.keys[i]);
  };
  for (const Burst& burst : bursts) {
    now += burst.gap_ms;
    for (char byte : burst.bytes) {
      const DecodedKeys decoded = DecodeByte(&decoder, static_cast<unsigned char>(byte), now);
      take(decoded);
      const int code = MenuCodeOf(decoded, static_cast<unsigned char>(byte));
      if (menu_codes != nullptr) *menu_codes += code < 0 ? '.' : static_cast<char>(code);
    }
  }
  take(DecodeTimeout(&decoder, now + kSequenceWaitMs));
  return keys;
}

TEST(KeyDecoderTest, SequencesEndAtTheirFinalByteOrWhenTheirWaitRunsOut) {
  const struct {
    std::vector<Burst> bursts;
    const char* keys;
  } kCases[] = {
      {{{0, "1.5e3 2"}}, "1.5e3 2"},
      // rxvt's Shift+Delete, Ctrl+Delete, Ctrl+Shift+Delete, Shift+Up: the digits stay digits.
      {{{0, "\033[3$1.5e3 2"}}, "<->1.5e3 2"},
      {{{0, "\033[3^4\033[3@5\033[a6"}}, "<->4<->5<->6"},
      // Cut short by the wait: an unfinished ESC [, a lone Esc.
      {{{0, "\033["}, {400, "12"}}, "<->12"},
      {{{0, "\033[1"}, {kSequenceWaitMs, "~"}}, "<->~"},
      {{{0, "\033"}, {400, "g"}}, "<->g"},
      {{{0, "\033"}}, "<->"},
      // Slow but within the wait between bytes.
      {{{0, "\033"}, {60, "["}, {60, "1"}, {60, "~"}}, "<H>"},
      {{{0, "\033g\033\x7f"}}, "<-><->"},  // Alt+g, Alt+Backspace
      // SS3: plain editing keys; with a modifier or any other final, no action.
      {{{0, "\033OA\033OB\033OC\033OD\033OH\033OF"}}, "<U><D><R><L><H><E>"},
      {{{0, "\033O2P\033O5D\033OP\033O5q"}}, "<-><-><-><->"},
      // CSI, with xterm's modifiers.
      {{{0, "\033[A\033[B\033[1;5C\033[1;2D\033[H\033[F"}}, "<U><D><R><L><H><E>"},
      {{{0, "\033[1~\033[7~\033[4~\033[8~\033[3~\033[3;5~"}}, "<H><H><E><E><X><X>"},
      {{{0, "\033[2~\033[5~\033[6~\033[15~\033[200~\033[~\033[Z"}}, "<-><-><-><-><-><-><->"},
      // The Linux console's F1 to F5.
      {{{0, "\033[[A\033[[B\033[[C\033[[D\033[[E9"}}, "<-><-><-><-><->9"},
      // A control byte or one beyond ASCII ends a sequence and stands for itself;
      // an ESC starts the next.
      {{{0, "\033[1\r\033O\x7f\033\xc3\xa4"}}, "<->^M<->\x7f<->\xc3\xa4"},
      {{{0, "\033[1\033[A"}}, "<-><U>"},
      {{{0, "\033[" + std::string(40, '1') + "A2"}}, "<->2"},
      {{{0, "\033[" + std::string(40, '1') + "\r\033[A"}}, "<->^M<U>"},
      // The application keypad types what its keys show.
      {{{0, "\033Oq\033Op\033On\033Oy\033Om\033Ok\033Oj\033Oo\033Ol\033OX\033OM"}}, "10.9-+*/,=^M"},
      // A mouse report is one key, its three bytes after ESC [ M of any value.
      {{{0, "1\033[M !!\033[M\033qc\033[M#\xe0\r\033[<0;12;5m\033[32;12;5M2"}},
       "1<-><-><-><-><->2"},
      {{{0, "\033[M "}, {400, "q"}}, "<->q"},
      // kitty's keys: typed, acting as Enter, Tab, Backspace, Ctrl+letter, or nothing.
      {{{0, "1\033[97u2\033[97;2u\033[97;65u\033[97;129u\033[97;1:2u\033[228u\033[0;;8722u"}},
       "1a2AAaaä−"},
      {{{0,
         "\033[49:33;2u\033[49;2u\033[0;;97:98u\033[57400u\033[57409u\033[57412u\033[57413u"
         "\033[57414u\033[57417u"}},
       "!\xef\xbf\xbd\xef\xbf\xbd"
       "1.-+^M<L>"},
      {{{0, "\033[13u\033[13;2u\033[9u\033[127u\033[97;5u\033[85;6u\033[99;5u"}},
       "^M^M^I\x7f^A^U^C"},
      {{{0, "\033[27u\033[97;3u\033[97;1:3u\033[57441u\033[?1u\033[49;5u\033[97;9u"}},
       "<-><-><-><-><-><-><->"},
      // xterm's modifyOtherKeys: the character as typed.
      {{{0, "\033[27;5;97~\033[27;2;33~\033[27;2;13~\033[27;3;97~\033[27;5;49~\033[27;5~"}},
       "^A!^M<-><-><->"},
  };
  for (const auto& c : kCases) {
    std::string shown;
    for (const Burst& burst : c.bursts) shown += "+" + std::to_string(burst.gap_ms) + burst.bytes;
    EXPECT_EQ(Decode(c.bursts), c.keys) << shown;
  }
}

TEST(KeyDecoderTest, TheMenuTakesNoByteOfASequenceAsACommandButTheCharacterItTyped) {
  std::string codes;
  EXPECT_EQ(Decode({{0, "x\033[Ag\033[3$1"}}, &codes), "x<U>g<->1");
  EXPECT_EQ(codes, "x...g....1");
  codes.clear();
  Decode({{0, "\033[3"}, {400, "g"}}, &codes);
  EXPECT_EQ(codes, "...g");
  codes.clear();
  Decode({{0, "\033Oq\033[Mqqq\033[113u\033[228u"}}, &codes);
  EXPECT_EQ(codes,
            "..1......"
            ".....q"
            "......");
}

TEST(KeyDecoderTest, TellsHowLongToWaitForTheRestOfASequence) {
  KeyDecoder decoder;
  EXPECT_EQ(MillisecondsToWait(decoder, 5000), -1);
  DecodeByte(&decoder, 0x1b, 5000);
  EXPECT_EQ(MillisecondsToWait(decoder, 5000), kSequenceWaitMs);
  EXPECT_EQ(MillisecondsToWait(decoder, 5060), kSequenceWaitMs - 60);
  EXPECT_EQ(DecodeTimeout(&decoder, 5000 + kSequenceWaitMs - 1).count, 0);
  EXPECT_EQ(MillisecondsToWait(decoder, 5000 + kSequenceWaitMs + 50), 0);
  EXPECT_EQ(DecodeTimeout(&decoder, 5000 + kSequenceWaitMs).count, 1);
  EXPECT_EQ(MillisecondsToWait(decoder, 5000 + kSequenceWaitMs), -1);
}

}  // namespace

}  // namespace vergleichsspannung
