#include "console/terminal/key_decoder.h"

#include "console/terminal/key_reports.h"

namespace vergleichsspannung {

namespace {

constexpr unsigned char kEscape = 0x1b;

// The bytes that follow ESC [ M in the X10 and normal mouse reports:
// button, column and row, each of any value.
constexpr int kMouseReportBytes = 3;

void Add(DecodedKeys* decoded, const Key& key) { decoded->keys[decoded->count++] = key; }

// Ends the open sequence, whatever it held, as a key without action.
void CutShort(KeyDecoder* decoder, DecodedKeys* decoded) {
  if (decoder->sequence.empty()) return;
  decoder->sequence.clear();
  decoder->overlong = false;
  decoder->report_bytes_left = 0;
  Add(decoded, NoAction());
}

// Takes a byte of a mouse report's button and place, whatever its value;
// the last ends the report as a key without action.
void TakeReportByte(KeyDecoder* decoder, DecodedKeys* decoded) {
  decoded->in_sequence = true;
  if (--decoder->report_bytes_left == 0) CutShort(decoder, decoded);
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

// The application keypad's ESC O final: the digits, point, comma, signs and
// Enter type what their keys show; other finals are no keypad key (0).
char KeypadCharacterOfFinal(char final_byte) {
  if (final_byte >= 'p' && final_byte <= 'y') return static_cast<char>('0' + final_byte - 'p');
  static constexpr char kFinals[] = "nlmkjoMX";
  static constexpr char kCharacters[] = ".,-+*/\r=";
  for (std::size_t i = 0; kFinals[i] != 0; ++i) {
    if (kFinals[i] == final_byte) return kCharacters[i];
  }
  return 0;
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
    case 27:
      return KeyOfModifiedOtherKey(sequence);
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
    if (sequence.size() != 3) return NoAction();
    if (EditingKeyOfFinal(final_byte, &editing)) return Editing(editing);
    const char keypad = KeypadCharacterOfFinal(final_byte);
    return keypad != 0 ? Typed(static_cast<unsigned char>(keypad)) : NoAction();
  }
  if (sequence[2] == '[') return NoAction();
  if (final_byte == 'u') return KeyOfKittyReport(sequence);
  if (final_byte == '~') return KeyOfTildeSequence(sequence);
  return EditingKeyOfFinal(final_byte, &editing) ? Editing(editing) : NoAction();
}

}  // namespace

DecodedKeys DecodeByte(KeyDecoder* decoder, unsigned char byte, long now_ms) {
  DecodedKeys decoded;
  if (now_ms - decoder->last_byte_ms >= kSequenceWaitMs) CutShort(decoder, &decoded);
  decoder->last_byte_ms = now_ms;
  std::string& sequence = decoder->sequence;
  if (decoder->report_bytes_left > 0) {
    TakeReportByte(decoder, &decoded);
    return decoded;
  }
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
    if (sequence == "\033[M") {
      decoder->report_bytes_left = kMouseReportBytes;
      return decoded;
    }
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

int MenuCodeOf(const DecodedKeys& decoded, unsigned char byte) {
  if (!decoded.in_sequence) return byte;
  const bool typed =
      decoded.count > 0 && decoded.keys[decoded.count - 1].kind == Key::Kind::kCharacter;
  return typed ? decoded.keys[decoded.count - 1].byte : -1;
}

long MillisecondsToWait(const KeyDecoder& decoder, long now_ms) {
  if (decoder.sequence.empty()) return -1;
  const long left = decoder.last_byte_ms + kSequenceWaitMs - now_ms;
  return left > 0 ? left : 0;
}

}  // namespace vergleichsspannung
