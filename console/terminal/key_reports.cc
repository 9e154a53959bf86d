#include "console/terminal/key_reports.h"

#include <cassert>

#include "console/utf8.h"

namespace vergleichsspannung {

Key NoAction() { return Key{}; }

Key Editing(EditingKey editing) {
  Key key;
  key.kind = Key::Kind::kEditing;
  key.editing = editing;
  return key;
}

Key Typed(char32_t c) {
  assert(c <= 0x10ffff);
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

namespace {

constexpr long kEscapeKey = 0x1b;

// The modifier bits of kitty's and xterm's key reports (their number less one).
constexpr long kShift = 1;
constexpr long kControl = 4;
constexpr long kCapsLock = 64;
constexpr long kNumLock = 128;

// kitty's numbers for the keypad's keys, in its order from KP_0 on.
constexpr long kFirstKeypadKey = 57399;
constexpr char kKeypadCharacters[] = "0123456789./*-+\r=,";
constexpr long kFirstKeypadEditingKey = kFirstKeypadKey + sizeof kKeypadCharacters - 1;

// Returns true for a character a key may type: no control, no surrogate, and
// none of the private use numbers kitty gives its function keys.
bool Printable(long c) {
  if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0)) return false;
  if (c >= 0xd800 && c < 0xf900) return false;
  return c <= 0x10ffff;
}

bool IsLowerLetter(long c) { return c >= 'a' && c <= 'z'; }

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

// The character a printable key without Ctrl or Alt types, by the
// modifier bits `bits`.
long CharacterOf(const KeyReport& report, long bits) {
  const bool shift = (bits & kShift) != 0;
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
  return c;
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
    case kEscapeKey:
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
  const long c = CharacterOf(report, bits);
  return Printable(c) ? Typed(static_cast<char32_t>(c)) : NoAction();
}

}  // namespace

Key KeyOfKittyReport(const std::string& sequence) {
  Parameters parameters;
  if (!ParametersOf(sequence, &parameters)) return NoAction();
  KeyReport report;
  report.key = parameters.part[0][0];
  report.shifted = parameters.part[0][1];
  report.modifiers = parameters.part[1][0];
  if (parameters.part[1][1] == 3) return NoAction();  // released
  // Text of more than one character stands for no one key: refused.
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

}  // namespace vergleichsspannung
