#include "console/terminal/key_decoder.h"

namespace vergleichsspannung {

namespace {

constexpr unsigned char kEscape = 0x1b;

void Add(DecodedKeys* decoded, const Key& key) { decoded->keys[decoded->count++] = key; }

Key NoAction() { return Key{}; }

Key Editing(EditingKey editing) {
  Key key;
  key.kind = Key::Kind::kEditing;
  key.editing = editing;
  return key;
}

// Ends the open sequence, whatever it held, as a key without action.
void CutShort(KeyDecoder* decoder, DecodedKeys* decoded) {
  if (decoder->sequence.empty()) return;
  decoder->sequence.clear();
  decoder->overlong = false;
  Add(decoded, NoAction());
}

// Returns true when `last`, just received, ends the open sequence: ESC and
// one byte (Alt+key), or after ESC [ (CSI) and ESC O (SS3) the parameters
// and then a final byte. rxvt ends its modified editing keys with `$`, `^`
// or `@`; the Linux console's F1 to F5 are ESC [ [ and one letter.
bool Ends(const std::string& sequence, unsigned char last) {
  if (sequence.size() == 2) return last != '[' && last != 'O';
  if (sequence[1] == '[' && sequence[2] == '[') return sequence.size() == 4;
  if (sequence[1] == '[' && last == '$') return true;
  return last >= 0x40;
}

// The editing key a final byte names in ESC [ final, ESC [ 1 ; m final
// (xterm's modified keys) and ESC O final; false for others.
bool EditingKeyOfFinal(char final_byte, EditingKey* key) {
  switch (final_byte) {
    case 'A':
      *key = EditingKey::kUp;
      return true;
    case 'B':
      *key = EditingKey::kDown;
      return true;
    case 'C':
      *key = EditingKey::kRight;
      return true;
    case 'D':
      *key = EditingKey::kLeft;
      return true;
    case 'H':
      *key = EditingKey::kHome;
      return true;
    case 'F':
      *key = EditingKey::kEnd;
      return true;
    default:
      return false;
  }
}

// ESC [ n ~ and ESC [ n ; m ~: the key is the first parameter, n.
Key KeyOfTildeSequence(const std::string& sequence) {
  int number = 0;
  std::size_t i = 2;
  for (; i < sequence.size() && sequence[i] >= '0' && sequence[i] <= '9' && number < 100; ++i)
    number = number * 10 + (sequence[i] - '0');
  if (i == 2) return NoAction();
  switch (number) {
    case 1:
    case 7:
      return Editing(EditingKey::kHome);
    case 3:
      return Editing(EditingKey::kDelete);
    case 4:
    case 8:
      return Editing(EditingKey::kEnd);
    default:
      return NoAction();
  }
}

// The key a whole sequence stands for. SS3 with a modifier (ESC O 5 D,
// Ctrl+Left in some terminals) and everything unknown act as nothing.
Key KeyOf(const std::string& sequence) {
  const char final_byte = sequence.back();
  EditingKey editing = EditingKey::kUp;
  if (sequence.size() < 3) return NoAction();
  if (sequence[1] == 'O') {
    const bool plain = sequence.size() == 3;
    return plain && EditingKeyOfFinal(final_byte, &editing) ? Editing(editing) : NoAction();
  }
  if (sequence[2] == '[') return NoAction();
  if (final_byte == '~') return KeyOfTildeSequence(sequence);
  return EditingKeyOfFinal(final_byte, &editing) ? Editing(editing) : NoAction();
}

}  // namespace

DecodedKeys DecodeByte(KeyDecoder* decoder, unsigned char byte, long now_ms) {
  DecodedKeys decoded;
  if (now_ms - decoder->last_byte_ms >= kSequenceWaitMs) CutShort(decoder, &decoded);
  decoder->last_byte_ms = now_ms;
  std::string& sequence = decoder->sequence;
  // Alt+Backspace sends ESC DEL: one key, which does nothing.
  const bool alt_backspace = sequence.size() == 1 && byte == 0x7f;
  const bool inside = (!sequence.empty() && byte >= 0x20 && byte < 0x7f) || alt_backspace;
  if (byte == kEscape || !inside) {
    // A control byte or one beyond ASCII cannot belong to a sequence: it
    // stands for itself, and an ESC starts the next sequence.
    CutShort(decoder, &decoded);
    if (byte == kEscape) {
      sequence.assign(1, static_cast<char>(byte));
      decoded.in_sequence = true;
      return decoded;
    }
    Key key;
    key.kind = Key::Kind::kCharacter;
    key.byte = byte;
    Add(&decoded, key);
    return decoded;
  }
  decoded.in_sequence = true;
  if (sequence.size() < kLongestSequence) {
    sequence.push_back(static_cast<char>(byte));
  } else {
    decoder->overlong = true;
  }
  if (Ends(sequence, byte)) {
    const Key key = decoder->overlong ? NoAction() : KeyOf(sequence);
    sequence.clear();
    decoder->overlong = false;
    Add(&decoded, key);
  }
  return decoded;
}

DecodedKeys DecodeTimeout(KeyDecoder* decoder, long now_ms) {
  DecodedKeys decoded;
  if (MillisecondsToWait(*decoder, now_ms) == 0) CutShort(decoder, &decoded);
  return decoded;
}

long MillisecondsToWait(const KeyDecoder& decoder, long now_ms) {
  if (decoder.sequence.empty()) return -1;
  const long left = decoder.last_byte_ms + kSequenceWaitMs - now_ms;
  return left > 0 ? left : 0;
}

}  // namespace vergleichsspannung
