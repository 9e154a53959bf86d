// The dialogue's only way to the user: it reads menu keys and number words
// from a byte source and writes text to a byte sink, buffering both, and
// records the first failure of either.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_CONSOLE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/byte_stream.h"

namespace vergleichsspannung {

// The longest word a number read keeps; a longer word is refused whole, so
// input of any length is read in bounded memory.
constexpr std::size_t kMaxWordLength = 128;

// The key code ReadKey gives for a byte that belongs to an escape sequence
// (an arrow or function key, its ESC included): no command takes it.
constexpr int kSequenceKey = 256;

class Console {
 public:
  // What a word read found.
  enum class Word { kRead, kTooLong, kLineTooLong, kEnd };

  // Creates a console that reads `input`, writes the dialogue to `output`
  // and warnings to `warnings`.
  // REQUIRES: input.read, input.await, output.write, output.await and
  // warnings.write are set; for a terminal input also read_key, read_reply
  // and show_reply.
  Console(ByteSource input, ByteSink output, ByteSink warnings);

  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console();

  // Reads one key and stores its code (0 to 255, or kSequenceKey on a
  // terminal for the bytes of an escape sequence, ESC included) in *key. After
  // a word read, first discards the rest of that word's line, its line end
  // included, so the Enter that ended a number is never a key. From a pipe a
  // CR, alone or before LF, is one key: the newline. Returns false at the end
  // of input or after a failure; *key is then untouched.
  bool ReadKey(int* key);

  // Reads the next whitespace-separated word into *word, skipping blanks and
  // line ends first. Returns kRead with the word, kTooLong when the word had
  // more than kMaxWordLength bytes, kLineTooLong when, on a terminal, its
  // reply line had more than kMaxReplyLength characters (*word is then empty,
  // the word consumed), or kEnd when input ended, or failed, before a word
  // began. On a terminal an empty reply line asks
  // again with the same prompt; a word taken from a line typed for an
  // earlier prompt is shown behind the prompt now standing, as though typed.
  Word ReadWord(std::string* word);

  // Discards the rest of the last word's line, its line end (LF, or from a
  // pipe also CR and CR LF) included, unless a read did so already. Returns
  // the text the rest held, blanks at its ends dropped: at most
  // kMaxWordLength + 1 bytes of it, so a longer text shows as longer.
  std::string DiscardLine();

  // Writes `text`. Output is buffered; it is flushed whenever a read would
  // have to wait, so every prompt is visible while the program waits.
  void Print(std::string_view text);

  // Writes "vergleichsspannung: ", `text` and a newline as one warning line;
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
  bool interactive() const { return input_.terminal; }

 private:
  // Reads the next word as ReadWord says, without showing it.
  Word ReadNextWord(std::string* word);

  // Makes at least one unread byte available. Returns false at the end of
  // input or after a failure.
  bool Available(bool for_key);

  // Drops the LF of a CR LF whose CR already ended a line. Returns true when
  // a byte is left to read.
  bool SkipLineFeedAfterCr();

  // Reads the next piece of input into the buffer: one key, one reply line
  // or what a pipe delivers.
  IoResult Refill(bool for_key);

  // Reads from a pipe or file, trying again after EINTR and EAGAIN.
  IoResult ReadBytes();

  // Reads a reply line typed on the terminal behind the prompt that stands on
  // the last line of the pending output, or behind the last prompt when no new
  // one is pending.
  IoResult ReadReply();

  // Takes the prompt that stands on the last line of the pending output, if
  // any, into last_prompt_; the line editor draws it on a terminal output.
  // Returns false when no new prompt stands there.
  bool TakePrompt();

  // Shows `word` behind the prompt now standing on the terminal, as though
  // typed there; nothing when no new prompt stands there (a reply line was
  // just typed behind it).
  void ShowTakenWord(std::string_view word);

  // Writes all of `data` to `sink`, trying again after short writes, EINTR
  // and EAGAIN.
  static IoResult WriteAll(const ByteSink& sink, std::string_view data);

  // Returns the output not yet written.
  std::string_view PendingOutput() const {
    return std::string_view(output_buffer_.data(), pending_size_);
  }

  ByteSource input_;
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
  // The prompt of the last reply, shown again when a reply is asked again.
  std::string last_prompt_;
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
