// The dialogue's only way to the user: it reads menu keys and number words
// from an input, asking each reply for a prompt it names, and writes text to
// a byte sink, buffering both, and records the first failure of either.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/number_word.h"
#include "console/terminal/byte_stream.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

// The key code ReadKey gives for a byte that belongs to an escape sequence
// (an arrow or function key, its ESC included): no command takes it.
constexpr int kSequenceKey = 256;

// A prompt the dialogue asks a reply for: the text of its own line, which the
// console writes before it reads (on a terminal the line editor draws it),
// and the value the reply is for, as a refusal names it.
struct Prompt {
  std::string_view text;        // "SigYY [N/mm2]= "
  std::string_view value_name;  // "SigYY"
  // The prompt stands already: a reply to it was refused and the person at
  // the terminal is asked again.
  bool again = false;
};

class Console {
 public:
  // What a word read found.
  enum class Word { kRead, kTooLong, kLineTooLong, kEnd };

  // Creates a console that reads `input`, writes the dialogue to `output`
  // and warnings to `warnings`.
  // REQUIRES: `input` outlives the console; output.write, output.await and
  // warnings.write are set.
  Console(Input* input, ByteSink output, ByteSink warnings);

  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console();

  // Reads one key and stores its code (0 to 255, or kSequenceKey on a
  // terminal for the bytes of an escape sequence, ESC included) in *key. After
  // a word read, first discards the rest of that word's line, its line end
  // included, so the Enter that ended a number is never a key. From a pipe a
  // CR, alone or before LF, is one key: the newline. Returns false at the end
  // of input or after a failure; *key is then untouched.
  // On a terminal `shown_again`, what the dialogue shows while it waits (the
  // menu, a pause text), is written again when the program goes on after a
  // stop, for the shell wrote below it.
  bool ReadKey(int* key, std::string_view shown_again = std::string_view());

  // Writes `prompt` unless it stands already, then reads the next
  // whitespace-separated word typed for it into *word, skipping blanks and
  // line ends first. Returns kRead with the word, kTooLong when the word had
  // more than kMaxWordLength bytes, kLineTooLong when, on a terminal, its
  // reply line had more than kMaxReplyLength characters (*word is then empty,
  // the word consumed), or kEnd when input ended, or failed, before a word
  // began. On a terminal an empty reply line asks
  // again with the same prompt; a word taken from a line typed for an
  // earlier prompt is shown behind the prompt now standing, as though typed.
  Word ReadWord(const Prompt& prompt, std::string* word);
  // Reads a word with no prompt to write, as a script's next word.
  Word ReadWord(std::string* word) { return ReadWord(Prompt(), word); }

  // Discards the rest of the last word's line, its line end (LF, or from a
  // pipe also CR and CR LF) included, unless a read did so already. Returns
  // the text the rest held, blanks at its ends dropped: at most
  // kMaxWordLength + 1 bytes of it, so a longer text shows as longer.
  std::string DiscardLine();

  // Writes `text`. Output is buffered; it is flushed whenever a read would
  // have to wait, so every prompt is visible while the program waits.
  void Print(std::string_view text);

  // Writes `text` as one warning line (WarningLine);
  // the dialogue's output stays as it is. When a warning cannot be written,
  // the dialogue goes on, no later warning is tried, and Finish returns false.
  void Warn(std::string_view text);

  // Writes out all buffered output. Returns false after a failure.
  bool Flush();

  // Flushes at the end of the dialogue; on a terminal first ends a line the
  // dialogue left open, so the shell's prompt starts on a line of its own.
  // Returns false after a failure or when a warning was lost.
  bool Finish();

  // Records that `what` failed with the errno value `error` ("write error: No
  // space left on device") and ends all reading and writing: every read then
  // finds the end of input. Only the first failure is kept.
  void Fail(std::string_view what, int error);

  // Returns what made the console fail, or an empty string.
  const std::string& failure() const { return failure_; }

  // Returns true when keys come from a terminal, where a person types them
  // and can be asked again.
  bool interactive() const { return input_->terminal(); }

 private:
  // Reads the next word as ReadWord says, without showing it; *asked tells
  // whether a reply line was read for `prompt` on the way.
  Word ReadNextWord(const Prompt* prompt, std::string* word, bool* asked);

  // Makes at least one unread byte available, reading a key when `prompt`
  // is null (showing `shown_again` again after a stop) and a reply to it
  // otherwise (*asked then set). Returns false at the end of input or after
  // a failure.
  bool Available(const Prompt* prompt, bool* asked,
                 std::string_view shown_again = std::string_view());

  // Drops the LF of a CR LF whose CR already ended a line. Returns true when
  // a byte is left to read.
  bool SkipLineFeedAfterCr();

  // Reads the next piece of input into the buffer: one key, one reply line
  // or what a pipe delivers.
  IoResult Refill(const Prompt* prompt, std::string_view shown_again);

  // Reads a reply line typed on the terminal behind `prompt`.
  IoResult ReadReply(const Prompt& prompt);

  // Shows `word` behind `prompt` on the terminal, as though typed there.
  void ShowTakenWord(const Prompt& prompt, std::string_view word);

  // Returns the output not yet written.
  std::string_view PendingOutput() const {
    return std::string_view(output_buffer_.data(), pending_size_);
  }

  Input* input_;
  ByteSink output_;
  ByteSink warnings_;

  bool ended_ = false;
  bool after_word_ = false;
  // The last key read from the terminal belongs to an escape sequence.
  bool key_in_sequence_ = false;
  // A CR from a pipe ended the last line; an LF right after it belongs to it.
  bool newline_of_cr_ = false;
  // The last byte written was not a newline.
  bool line_open_ = false;
  // The reply line just read was too long and is refused whole.
  bool overlong_reply_ = false;
  std::string failure_;
  // A warning could not be written.
  bool warnings_lost_ = false;

  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  // Output not yet written: the first pending_size_ bytes of output_buffer_.
  std::vector<char> output_buffer_;
  std::size_t pending_size_ = 0;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_
