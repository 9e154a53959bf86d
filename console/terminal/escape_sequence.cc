#include "console/terminal/escape_sequence.h"

namespace vergleichsspannung {

namespace {

constexpr unsigned char kEscape = 0x1b;

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7f; }

}  // namespace

KeyByte FollowKeyByte(EscapeSequence* sequence, unsigned char byte) {
  std::string& bytes = sequence->bytes;
  if (byte == kEscape) {
    bytes.assign(1, static_cast<char>(byte));
    return KeyByte::kInside;
  }
  if (bytes.empty()) return KeyByte::kCharacter;
  if (IsControl(byte)) {
    bytes.clear();
    return KeyByte::kCharacter;
  }
  bytes.push_back(static_cast<char>(byte));
  bool goes_on = false;
  if (bytes.size() == 2) {
    // ESC [ and ESC O lead in; ESC and any other byte is one key (Alt+key).
    goes_on = byte == '[' || byte == 'O';
  } else if (bytes[1] == '[') {
    // Parameters and intermediates (0x20 to 0x3f) until the final byte; the
    // Linux console's F1 to F5 are ESC [ [ A to ESC [ [ E.
    goes_on = (byte >= 0x20 && byte <= 0x3f) || bytes == "\x1b[[";
  }
  return goes_on ? KeyByte::kInside : KeyByte::kLast;
}

EditingKey EditingKeyOf(const std::string& sequence) {
  if (sequence.size() < 3 || sequence[0] != '\x1b') return EditingKey::kNone;
  const char final_byte = sequence.back();
  switch (final_byte) {
    case 'A':
      return EditingKey::kUp;
    case 'B':
      return EditingKey::kDown;
    case 'C':
      return EditingKey::kRight;
    case 'D':
      return EditingKey::kLeft;
    case 'H':
      return EditingKey::kHome;
    case 'F':
      return EditingKey::kEnd;
    default:
      break;
  }
  if (sequence[1] != '[' || final_byte != '~') return EditingKey::kNone;
  // ESC [ n ~ and ESC [ n ; modifier ~: the key is the first parameter.
  int key = 0;
  for (std::size_t i = 2; i < sequence.size() && sequence[i] >= '0' && sequence[i] <= '9'; ++i) {
    key = key * 10 + (sequence[i] - '0');
    if (key > 99) return EditingKey::kNone;
  }
  switch (key) {
    case 1:
    case 7:
      return EditingKey::kHome;
    case 3:
      return EditingKey::kDelete;
    case 4:
    case 8:
      return EditingKey::kEnd;
    default:
      return EditingKey::kNone;
  }
}

}  // namespace vergleichsspannung
