#include "console/terminal/key_decoder.h"

#include "console/utf8.h"

namespace vergleichsspannung {

namespace {

constexpr unsigned char kEscape = 0x1b;

// The bytes that follow ESC [ M in the X10 and normal mouse reports:
// button, column and row, each of any value.
constexpr int kMouseReportBytes = 3;

// The modifier bits of kitty's and xterm's key reports (their number less one).
constexpr long kShift = 1;
constexpr long kControl = 4;
constexpr long kCapsLock = 64;
constexpr long kNumLock = 128;

// kitty's numbers for the keypad's keys, in its order from KP_0 on.
constexpr long kFirstKeypadKey = 57399;
constexpr char kKeypadCharacters[] = "0123456789./*-+\r=,";
constexpr long kFirstKeypadEditingKey = kFirstKeypadKey + sizeof kKeypadCharacters - 1;

void Add(DecodedKeys* decoded, const Key& key) { decoded->keys[decoded->count++] = key; }

Key NoAction() { return Key{}; }

Key Editing(EditingKey editing) {
  Key key;
  key.kind = Key::Kind::kEditing;
  key.editing = editing;
  return key;
}

// The key that types `c`: its byte when it is ASCII, the whole character beyond.
Key Typed(char32_t c) {
  Key key;
  if (c < 0x80) {
    key.kind = Key::Kind::kCharacter;
    key.byte = static_cast<unsigned char>(c);
  } else {
    key.kind = Key::Kind::kText;
    key.text = c;
  }
  return key;
}

// Returns true for a character a key may type: no control, no surrogate, and
// none of the private use numbers kitty gives its function keys.
bool Printable(long c) {
  if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0)) return false;
  if (c >= 0xd800 && c < 0xf900) return false;
  return c <= 0x10ffff;
}

bool IsLowerLetter(long c) { return c >= 'a' && c <= 'z'; }

// Ends the open sequence, whatever it held, as a key without action.
void CutShort(KeyDecoder* decoder, DecodedKeys* decoded) {
  if (decoder->sequence.empty()) return;
  decoder->sequence.clear();
  decoder->overlong = false;
  decoder->report_bytes_left = 0;
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

// The numbers of a CSI sequence's parameters: fields between `;`, each of
// up to four parts between `:`, an empty part 0.
struct Parameters {
  long part[3][4] = {};
  int parts[3] = {1, 0, 0};
  int fields = 1;
};

// Reads the parameters of ESC [ parameters final. Returns false for any
// other form: a private marker (< = > ?), more fields or parts than kept.
bool ParametersOf(const std::string& sequence, Parameters* parameters) {
  for (std::size_t i = 2; i + 1 < sequence.size(); ++i) {
    const char c = sequence[i];
    int& parts = parameters->parts[parameters->fields - 1];
    if (c >= '0' && c <= '9') {
      long& value = parameters->part[parameters->fields - 1][parts - 1];
      if (value <= 0x10ffff) value = value * 10 + (c - '0');
    } else if (c == ':' && parts < 4) {
      ++parts;
    } else if (c == ';' && parameters->fields < 3) {
      parameters->parts[parameters->fields++] = 1;
    } else {
      return false;
    }
  }
  return true;
}

// What a key report of kitty or xterm says: the key's character (kitty:
// unshifted; xterm: as typed), kitty's shifted key and text when sent, and
// the modifiers as sent (1 + bits; 0 when left out).
struct KeyReport {
  long key = 0;
  long shifted = 0;
  long text = 0;
  long modifiers = 0;
  bool shift_applied = false;
};

// kitty's keypad keys type, or edit, as the application keypad's do.
Key KeypadKey(long number) {
  if (number < kFirstKeypadEditingKey) return Typed(kKeypadCharacters[number - kFirstKeypadKey]);
  static constexpr struct {
    long offset;
    EditingKey key;
  } kEditingKeys[] = {{0, EditingKey::kLeft},  {1, EditingKey::kRight}, {2, EditingKey::kUp},
                      {3, EditingKey::kDown},  {6, EditingKey::kHome},  {7, EditingKey::kEnd},
                      {9, EditingKey::kDelete}};
  for (const auto& editing : kEditingKeys) {
    if (number - kFirstKeypadEditingKey == editing.offset) return Editing(editing.key);
  }
  return NoAction();
}

// A printable key without Ctrl or Alt types its character; Enter, Tab,
// Backspace and Escape act as those keys; with Ctrl a letter is its control
// character, as the reply line knows them; anything else does nothing.
Key KeyOfReport(const KeyReport& report) {
  const long bits = report.modifiers > 0 ? report.modifiers - 1 : 0;
  const long held = bits & ~(kCapsLock | kNumLock);
  if ((held & ~(kShift | kControl)) != 0) return NoAction();  // Alt, Super, Hyper, Meta
  switch (report.key) {
    case '\r':
    case '\t':
      return Typed(static_cast<char32_t>(report.key));
    case 0x7f:
    case '\b':
      return Typed(0x7f);
    case kEscape:
      return NoAction();  // as the Esc key alone
    default:
      break;
  }
  if (report.key >= kFirstKeypadKey && report.key <= kFirstKeypadEditingKey + 10)
    return KeypadKey(report.key);
  if ((held & kControl) != 0) {
    const bool letter = IsLowerLetter(report.key | 0x20);
    return letter ? Typed(static_cast<char32_t>(report.key & 0x1f)) : NoAction();
  }
  const bool shift = (held & kShift) != 0;
  long c = report.key;
  if (report.text != 0) {
    c = report.text;
  } else if (report.shift_applied) {
    // xterm reports the character as typed.
  } else if (shift && report.shifted != 0) {
    c = report.shifted;
  } else if (IsLowerLetter(c)) {
    if (shift != ((bits & kCapsLock) != 0)) c -= 'a' - 'A';
  } else if (shift) {
    c = kReplacementCharacter;  // its shifted character is not told: shown, and refused
  }
  return Printable(c) ? Typed(static_cast<char32_t>(c)) : NoAction();
}

// kitty's ESC [ key : shifted : base ; modifiers : event ; text u. A key
// released does nothing; text of more than one character is refused.
Key KeyOfKittyReport(const std::string& sequence) {
  Parameters parameters;
  if (!ParametersOf(sequence, &parameters)) return NoAction();
  KeyReport report;
  report.key = parameters.part[0][0];
  report.shifted = parameters.part[0][1];
  report.modifiers = parameters.part[1][0];
  if (parameters.part[1][1] == 3) return NoAction();
  if (parameters.fields == 3) {
    report.text = parameters.parts[2] == 1 ? parameters.part[2][0] : kReplacementCharacter;
  }
  return KeyOfReport(report);
}

// xterm's modifyOtherKeys: ESC [ 27 ; modifiers ; character ~.
Key KeyOfModifiedOtherKey(const std::string& sequence) {
  Parameters parameters;
  const bool whole = ParametersOf(sequence, &parameters) && parameters.fields == 3 &&
                     parameters.parts[0] + parameters.parts[1] + parameters.parts[2] == 3;
  if (!whole) return NoAction();
  KeyReport report;
  report.key = parameters.part[2][0];
  report.modifiers = parameters.part[1][0];
  report.shift_applied = true;
  return KeyOfReport(report);
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
    // A mouse report's bytes are its button and place, whatever their value.
    decoded.in_sequence = true;
    if (--decoder->report_bytes_left == 0) CutShort(decoder, &decoded);
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
