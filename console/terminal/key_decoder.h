// Turns the bytes a terminal sends into keys: typed characters, the editing
// keys of a reply line, and keys without action (every other escape
// sequence, the Esc key alone, a mouse report). Sequences that stand for a
// typed key type it: the application keypad's digits, point and signs, and
// the keys of kitty's keyboard protocol and xterm's modifyOtherKeys, which
// another program may have left on. A terminal sends one key's sequence in
// one write, so a sequence whose next byte does not come within
// kSequenceWaitMs ends there and every later byte is a key of its own.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_DECODER_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_DECODER_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>

namespace vergleichsspannung {

// How long the bytes of one escape sequence may stand apart, as a text
// editor waits for the rest of a key (vim's ttimeoutlen).
constexpr long kSequenceWaitMs = 100;

// The keys that edit a reply line.
enum class EditingKey { kUp, kDown, kRight, kLeft, kHome, kEnd, kDelete };

// One key: a byte typed as a character (UTF-8 is left to the reader; a
// sequence that types an ASCII character gives its byte too), a character
// beyond ASCII that a sequence typed whole, an editing key, or a key without
// action.
struct Key {
  enum class Kind { kCharacter, kText, kEditing, kNoAction };
  Kind kind = Kind::kNoAction;
  unsigned char byte = 0;                // for kCharacter
  char32_t text = 0;                     // for kText: a code point from U+0080 on
  EditingKey editing = EditingKey::kUp;  // for kEditing
};

// The sequence being received: its bytes (at most kLongestSequence kept),
// how many bytes of any value a mouse report still has to come, and when
// its last byte came.
struct KeyDecoder {
  std::string sequence;
  bool overlong = false;
  int report_bytes_left = 0;
  long last_byte_ms = 0;
};

// The longest sequence whose bytes are kept; a longer one is no key.
constexpr std::size_t kLongestSequence = 32;

// The keys one byte completed: at most a sequence that its gap ended and
// the byte's own key. `in_sequence` tells whether the byte belongs to an
// escape sequence (its ESC included), which the menu takes as no command.
struct DecodedKeys {
  Key keys[2];
  int count = 0;
  bool in_sequence = false;
};

// Follows `byte`, arrived at `now_ms` on the caller's clock.
DecodedKeys DecodeByte(KeyDecoder* decoder, unsigned char byte, long now_ms);

// Ends a sequence whose wait ran out by `now_ms`, if any: it is a key
// without action (the Esc key alone, or a key cut short).
DecodedKeys DecodeTimeout(KeyDecoder* decoder, long now_ms);

// Returns the code the menu takes for the byte that gave `decoded`: the
// ASCII character a sequence typed, when the byte ended one (the keypad's 1
// is '1', never its final 'q'); -1 for any other byte of a sequence, which
// is no command; the byte itself for a byte outside sequences.
int MenuCodeOf(const DecodedKeys& decoded, unsigned char byte);

// Returns how long after `now_ms` the reader may wait for the next byte
// before calling DecodeTimeout: -1 for ever, when no sequence is open.
long MillisecondsToWait(const KeyDecoder& decoder, long now_ms);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_DECODER_H_
