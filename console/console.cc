#include "console/console.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <utility>

#include "console/messages.h"
#include "console/printable.h"

namespace vergleichsspannung {

namespace {

// Bytes taken from the input per read, and output gathered before it is
// written even though no read waits.
constexpr std::size_t kInputBuffer = 4096;
constexpr std::size_t kOutputBuffer = 1 << 16;

// The blanks and line ends that separate words, as for the "%d" and "%lf"
// conversions.
bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

Console::Console(Input* input, ByteSink output, ByteSink warnings)
    : input_(input),
      output_(std::move(output)),
      warnings_(std::move(warnings)),
      buffer_(kInputBuffer),
      output_buffer_(kOutputBuffer) {
  assert(input_ != nullptr && output_.write && output_.await && warnings_.write);
}

Console::~Console() { Flush(); }

void Console::Fail(std::string_view what, int error) {
  if (failure_.empty()) failure_ = std::string(what) + ": " + std::strerror(error);
  ended_ = true;
  begin_ = end_;
  pending_size_ = 0;
}

bool Console::Available(const Prompt* prompt, bool* asked, std::string_view shown_again) {
  for (;;) {
    if (SkipLineFeedAfterCr()) return true;
    if (ended_) return false;
    if (prompt != nullptr) *asked = true;
    const IoResult read = Refill(prompt, shown_again);
    if (read.failed()) {
      Fail(Translated("read error"), read.error);
      return false;
    }
    if (read.count == 0) {
      ended_ = true;
      return false;
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(read.count);
  }
}

bool Console::SkipLineFeedAfterCr() {
  if (begin_ == end_) return false;
  if (newline_of_cr_) {
    newline_of_cr_ = false;
    if (buffer_[begin_] == '\n') ++begin_;
  }
  return begin_ < end_;
}

IoResult Console::Refill(const Prompt* prompt, std::string_view shown_again) {
  if (input_->terminal() && prompt != nullptr) return ReadReply(*prompt);
  // The reader must see every prompt before the program waits for its answer.
  if (!Flush()) return IoResult{};
  if (prompt != nullptr) {
    ReplyRead read;
    return input_->ReadForReply(prompt->text, &buffer_, &read);
  }
  for (;;) {
    KeyRead read;
    const IoResult got = input_->ReadForKey(&buffer_, &read);
    key_in_sequence_ = read.in_sequence;
    if (!read.continued) return got;
    // After a stop the shell wrote where the dialogue stood: show it again.
    Print(shown_again);
    if (!Flush()) return IoResult{};
  }
}

void Console::ShowTakenWord(const Prompt& prompt, std::string_view word) {
  if (!Flush()) return;
  const IoResult shown = input_->ShowReply(prompt.text, Printable(word));
  if (shown.failed()) {
    Fail(Translated("write error"), shown.error);
  } else {
    line_open_ = false;  // shown as entered, with its line ended
  }
}

IoResult Console::ReadReply(const Prompt& prompt) {
  if (!Flush()) return IoResult{};
  ReplyRead read;
  const IoResult got = input_->ReadForReply(prompt.text, &buffer_, &read);
  if (got.failed()) return got;
  if (got.count == 0) {
    line_open_ = output_.terminal;
    return got;
  }
  line_open_ = false;  // the Enter that ended the reply began a new line
  overlong_reply_ = read.too_long;
  return got;
}

bool Console::ReadKey(int* key, std::string_view shown_again) {
  DiscardLine();
  if (!Available(nullptr, nullptr, shown_again)) return false;
  int code = static_cast<unsigned char>(buffer_[begin_++]);
  if (key_in_sequence_) code = kSequenceKey;
  // A script written on Windows or an old Mac ends its lines with CR LF or CR;
  // either is one line end there. A terminal delivers Enter as one key of its own.
  if (code == '\r' && !input_->terminal()) {
    code = '\n';
    newline_of_cr_ = true;
  }
  *key = code;
  return true;
}

Console::Word Console::ReadWord(const Prompt& prompt, std::string* word) {
  // A terminal's line editor draws the prompt; output that goes elsewhere
  // gets it as well, as a piped session has it.
  if (!prompt.again && !(input_->terminal() && output_.terminal)) Print(prompt.text);
  bool asked = false;
  const Word read = ReadNextWord(&prompt, word, &asked);
  // The screen shows what each prompt took, also from a line typed earlier.
  if (input_->terminal() && !asked && !word->empty()) ShowTakenWord(prompt, *word);
  return read;
}

Console::Word Console::ReadNextWord(const Prompt* prompt, std::string* word, bool* asked) {
  word->clear();
  after_word_ = true;
  for (;;) {
    if (!Available(prompt, asked)) return Word::kEnd;
    if (overlong_reply_) {
      overlong_reply_ = false;
      return Word::kLineTooLong;
    }
    if (!IsSeparator(buffer_[begin_])) break;
    ++begin_;
  }
  bool too_long = false;
  while (Available(prompt, asked) && !IsSeparator(buffer_[begin_])) {
    const char* begin = buffer_.data() + begin_;
    const char* end =
        std::find_if(begin, static_cast<const char*>(buffer_.data() + end_), IsSeparator);
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (!too_long && word->size() + length <= kMaxWordLength) {
      word->append(begin, length);
    } else {
      too_long = true;
    }
    begin_ += length;
  }
  if (too_long) {
    word->clear();
    return Word::kTooLong;
  }
  return Word::kRead;
}

std::string Console::DiscardLine() {
  std::string rest;
  if (!after_word_) return rest;
  after_word_ = false;
  // A typed reply line is whole in the buffer, its newline included: never
  // ask for another one only to drop it.
  const Prompt rest_of_line;
  bool asked = false;
  while (input_->terminal() ? SkipLineFeedAfterCr() : Available(&rest_of_line, &asked)) {
    const char* begin = buffer_.data() + begin_;
    const char* end = buffer_.data() + end_;
    const char* line_end =
        input_->terminal() ? std::find(begin, end, '\n') : std::find_if(begin, end, IsLineEnd);
    const char* text = rest.empty() ? std::find_if_not(begin, line_end, IsSeparator) : begin;
    const auto room = static_cast<std::ptrdiff_t>(kMaxWordLength + 1 - rest.size());
    rest.append(text, std::min(line_end - text, room));
    if (line_end != end) {
      begin_ += static_cast<std::size_t>(line_end - begin) + 1;
      newline_of_cr_ = *line_end == '\r';
      break;
    }
    begin_ = end_;
  }
  if (rest.size() <= kMaxWordLength) {
    while (!rest.empty() && IsSeparator(rest.back())) rest.pop_back();
  }
  return rest;
}

void Console::Print(std::string_view text) {
  if (!failure_.empty() || text.empty()) return;
  // Copied into a buffer of fixed size: the dialogue prints many short texts,
  // and a growing string costs more per text than the copy itself.
  if (text.size() > output_buffer_.size() - pending_size_) {
    if (!Flush()) return;
    if (text.size() >= output_buffer_.size()) {
      const IoResult written = WriteAll(output_, text);
      if (written.failed()) Fail(Translated("write error"), written.error);
      line_open_ = text.back() != '\n';
      return;
    }
  }
  std::memcpy(output_buffer_.data() + pending_size_, text.data(), text.size());
  pending_size_ += text.size();
}

void Console::Warn(std::string_view text) {
  const std::string line = WarningLine(text);
  // The dialogue goes on without its warnings, but the run must not pass for
  // a clean one: Finish reports the loss.
  if (!warnings_lost_) warnings_lost_ = WriteAll(warnings_, line).failed();
}

bool Console::Flush() {
  if (!failure_.empty()) return false;
  if (pending_size_ == 0) return true;
  const IoResult written = WriteAll(output_, PendingOutput());
  if (written.failed()) {
    // Nobody learns what the dialogue says any more: stop it, and say so.
    Fail(Translated("write error"), written.error);
    return false;
  }
  line_open_ = output_buffer_[pending_size_ - 1] != '\n';
  pending_size_ = 0;
  return true;
}

bool Console::Finish() {
  if (output_.terminal && failure_.empty()) {
    if (pending_size_ > 0) line_open_ = output_buffer_[pending_size_ - 1] != '\n';
    if (line_open_) Print("\n");
  }
  return Flush() && !warnings_lost_;
}

}  // namespace vergleichsspannung
