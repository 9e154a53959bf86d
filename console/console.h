// The dialogue's only way to the user: it reads menu keys and number words and
// writes text through a Console, either one over a pair of file descriptors
// (the process's terminal or pipes) or one over a string, which drives the
// whole dialogue in tests.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest word a number read keeps; a longer word is refused whole, so
// input of any length is read in bounded memory.
constexpr std::size_t kMaxWordLength = 128;

// The key code ReadKey gives for a byte that belongs to an escape sequence
// (the rest of an arrow or function key after its ESC): no command takes it.
constexpr int kSequenceKey = 256;

class Console {
 public:
  // What a word read found.
  enum class Word { kRead, kTooLong, kEnd };

  // Creates a console that reads `input_fd` and writes `output_fd`. When
  // `input_fd` is a terminal, it stays in key mode for the console's lifetime:
  // keys are read one byte at a time without echo, and replies are typed in a
  // line editor. The process's console is Console(0, 1, 2); warnings go to
  // `warning_fd`. When the terminal cannot be put into key mode, the console
  // fails at once (failure() says why).
  Console(int input_fd, int output_fd, int warning_fd);

  // Creates a console that reads `input` as a pipe would deliver it, at most
  // `chunk` bytes per read, and appends everything written to `*output` and
  // every warning to `*warnings` (when given).
  // REQUIRES: output != nullptr, chunk > 0, `input` outlives the console.
  Console(std::string_view input, std::string* output, std::size_t chunk = 4096,
          std::string* warnings = nullptr);

  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console();

  // Reads one key and stores its code (0 to 255, or kSequenceKey on a
  // terminal for the bytes after the ESC of an escape sequence) in *key. After
  // a word read, first discards the rest of that word's line, its line end
  // included, so the Enter that ended a number is never a key. From a pipe a
  // CR, alone or before LF, is one key: the newline. Returns false at the end
  // of input or after a failure; *key is then untouched.
  bool ReadKey(int* key);

  // Reads the next whitespace-separated word into *word, skipping blanks and
  // line ends first. Returns kRead with the word, kTooLong when the word had
  // more than kMaxWordLength bytes or, on a terminal, its reply line more than
  // terminal::kMaxReplyLength characters (*word is then empty, the word
  // consumed), or kEnd when input ended, or failed, before a word began. On a
  // terminal an empty reply line asks again with the same prompt.
  Word ReadWord(std::string* word);

  // Discards input up to and including the next line end: LF, or from a pipe
  // also CR and CR LF.
  void DiscardLine();

  // Writes `text`. Output is buffered; it is flushed whenever a read would
  // have to wait, so every prompt is visible while the program waits.
  void Print(std::string_view text);

  // Writes `text` and a newline as one warning line on its own channel
  // (standard error), after the program's name; the dialogue's output stays
  // as it is.
  void Warn(std::string_view text);

  // Returns true when keys come from a terminal, where a person types them
  // and can be asked again.
  bool interactive() const { return from_terminal_; }

  // Writes `format` with its one "%g" conversion applied to `value`.
  void PrintValue(const char* format, double value);

  // Writes out all buffered output. Returns false after a failure.
  bool Flush();

  // Flushes at the end of the dialogue; on a terminal first ends a line the
  // dialogue left open, so the shell's prompt starts on a line of its own.
  // Returns false after a failure.
  bool Finish();

  // Returns what made reading or writing fail ("write error: No space left on
  // device"), or an empty string when nothing failed. After a failure nothing
  // more is read or written: every read finds the end of input.
  const std::string& failure() const { return failure_; }

 private:
  // Makes at least one unread byte available. Returns false at the end of
  // input or after a failure.
  bool Available(bool for_key);

  // Reads a reply line typed on the terminal behind the prompt that stands on
  // the last line of the pending output, or behind the last prompt when no new
  // one is pending. Returns its length, 0 at the end of input, -1 on a failure.
  long ReadReply();

  // Records the failure of `what` with the errno value `error` and ends all
  // reading and writing.
  void Fail(const char* what, int error);

  bool process_ = true;
  int input_fd_ = -1;
  int output_fd_ = -1;
  int warning_fd_ = -1;
  bool from_terminal_ = false;
  bool to_terminal_ = false;
  bool ended_ = false;
  bool after_word_ = false;
  // The last key read from the terminal belongs to an escape sequence.
  bool key_in_sequence_ = false;
  // A CR from a pipe ended the last line; an LF right after it belongs to it.
  bool newline_of_cr_ = false;
  // The last byte written was not a newline.
  bool line_open_ = false;
  // The prompt of the last reply, shown again when a reply is asked again.
  std::string last_prompt_;
  // The reply line just read was too long and is refused whole.
  bool overlong_reply_ = false;
  std::string failure_;

  std::vector<char> input_;
  std::size_t input_begin_ = 0;
  std::size_t input_end_ = 0;

  // Only for a console over a string.
  std::string_view text_;
  std::size_t chunk_ = 0;

  std::string pending_output_;
  std::string* output_ = nullptr;
  std::string* warnings_ = nullptr;
};

#endif  // VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_
