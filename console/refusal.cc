#include "console/refusal.h"

#include "console/messages.h"
#include "console/printable.h"

namespace vergleichsspannung {

namespace {

// The bytes a UTF-8 character has after its first.
constexpr int kMaxFollowingBytes = 3;

bool IsFollowingByte(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

}  // namespace

std::string RefusalText(Console::Word read, std::string_view word, std::string_view value_name,
                        std::string_view kept) {
  if (read == Console::Word::kTooLong) {
    return FillIn(Translated("a word of more than %s bytes refused for %s, which stays %s"),
                  {std::to_string(kMaxWordLength), value_name, kept});
  }
  if (read == Console::Word::kLineTooLong) {
    return FillIn(
        Translated("a reply line of more than %s characters refused for %s, which stays %s"),
        {std::to_string(kMaxReplyLength), value_name, kept});
  }
  // TRANSLATORS: keep the straight double quotes: inside them a double quote
  // and a backslash of the word are escaped as \" and \\.
  return FillIn(Translated("\"%s\" refused for %s, which stays %s"),
                {Printable(word), value_name, kept});
}

std::string LeftOverText(std::string_view words, std::string_view after_value) {
  if (words.size() <= kMaxWordLength) {
    // TRANSLATORS: keep the straight double quotes, as in the refusal line.
    return FillIn(Translated("\"%s\" left over after %s, not taken"),
                  {Printable(words), after_value});
  }
  std::size_t cut = kMaxWordLength;
  for (int i = 0; i < kMaxFollowingBytes && IsFollowingByte(words[cut]); ++i) --cut;
  return FillIn(Translated("\"%s\" and more left over after %s, not taken"),
                {Printable(words.substr(0, cut)), after_value});
}

void WarnOfLeftOver(Console* console, std::string_view value_name) {
  const std::string rest = console->DiscardLine();
  if (!rest.empty()) console->Warn(LeftOverText(rest, value_name));
}

}  // namespace vergleichsspannung
