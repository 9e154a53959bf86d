#include "console/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vergleichsspannung {

namespace {

// Bytes that arrive together, `gap_ms` after the ones before.
struct Burst {
  long gap_ms;
  std::string bytes;
};

// Names a key: itself for a printable byte, ^X for a control, <U> <D> <R>
// <L> <H> <E> <X> for Up, Down, Right, Left, Home, End, Delete, <-> for a key
// without action.
std::string NameOf(const Key& key) {
  if (key.kind == Key::Kind::kNoAction) return "<->";
  if (key.kind == Key::Kind::kCharacter) {
    if (key.byte < 0x20) return std::string("^") + static_cast<char>(key.byte + '@');
    return std::string(1, static_cast<char>(key.byte));
  }
  return std::string("<") + "UDRLHEX"[static_cast<int>(key.editing)] + ">";
}

// Returns the keys the bursts decode to, and which bytes the menu takes as
// parts of a sequence ('1') or keys of their own ('0').
std::string Decode(const std::vector<Burst>& bursts, std::string* in_sequence = nullptr) {
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
      if (in_sequence != nullptr) *in_sequence += decoded.in_sequence ? '1' : '0';
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
      {{{0, "\033O2P\033O5D\033OP\033Op"}}, "<-><-><-><->"},
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
  };
  for (const auto& c : kCases) {
    std::string shown;
    for (const Burst& burst : c.bursts) shown += "+" + std::to_string(burst.gap_ms) + burst.bytes;
    EXPECT_EQ(Decode(c.bursts), c.keys) << shown;
  }
}

TEST(KeyDecoderTest, TheMenuTakesEveryByteOfASequenceAsNoCommand) {
  std::string in_sequence;
  EXPECT_EQ(Decode({{0, "x\033[Ag\033[3$1"}}, &in_sequence), "x<U>g<->1");
  EXPECT_EQ(in_sequence, "0111011110");
  in_sequence.clear();
  Decode({{0, "\033[3"}, {400, "g"}}, &in_sequence);
  EXPECT_EQ(in_sequence, "1110");
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
