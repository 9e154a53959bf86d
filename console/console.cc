#include "console/console.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "console/terminal.h"

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

Console::Console(int input_fd, int output_fd, int warning_fd)
    : process_(true),
      input_fd_(input_fd),
      output_fd_(output_fd),
      warning_fd_(warning_fd),
      from_terminal_(terminal::IsTerminal(input_fd)),
      to_terminal_(terminal::IsTerminal(output_fd)),
      input_(kInputBuffer) {
  if (from_terminal_ && !terminal::EnterKeyMode(input_fd_)) Fail("terminal error", errno);
}

Console::Console(std::string_view input, std::string* output, std::size_t chunk,
                 std::string* warnings)
    : process_(false),
      input_(chunk),
      text_(input),
      chunk_(chunk),
      output_(output),
      warnings_(warnings) {
  assert(output != nullptr && chunk > 0);
}

Console::~Console() {
  Flush();
  if (from_terminal_) terminal::LeaveKeyMode();
}

void Console::Fail(const char* what, int error) {
  if (failure_.empty()) failure_ = std::string(what) + ": " + std::strerror(error);
  ended_ = true;
  input_begin_ = input_end_;
  pending_output_.clear();
}

bool Console::Available(bool for_key) {
  for (;;) {
    if (input_begin_ < input_end_) {
      if (!newline_of_cr_) return true;
      newline_of_cr_ = false;
      if (input_[input_begin_] != '\n') return true;
      ++input_begin_;
      continue;
    }
    if (ended_) return false;
    long n = 0;
    if (!process_) {
      n = static_cast<long>(std::min(chunk_, text_.size()));
      std::memcpy(input_.data(), text_.data(), static_cast<std::size_t>(n));
      text_.remove_prefix(static_cast<std::size_t>(n));
    } else if (from_terminal_ && !for_key) {
      n = ReadReply();
    } else if (from_terminal_) {
      if (!Flush()) return false;
      bool in_sequence = false;
      n = terminal::ReadKeyPress(input_fd_, input_.data(), &in_sequence);
      key_in_sequence_ = in_sequence;
    } else {
      if (!Flush()) return false;
      n = terminal::ReadInput(input_fd_, input_.data(), input_.size());
    }
    if (n < 0) {
      Fail("read error", errno);
      return false;
    }
    if (n == 0) {
      ended_ = true;
      return false;
    }
    input_begin_ = 0;
    input_end_ = static_cast<std::size_t>(n);
  }
}

long Console::ReadReply() {
  // The prompt is what stands on the last line; the line editor shows it on
  // the terminal and keeps it in front of the reply while it is edited. Output
  // that goes elsewhere keeps it too, as a pipe session has it.
  const std::size_t line_start = pending_output_.rfind('\n') + 1;
  if (line_start < pending_output_.size()) {
    last_prompt_ = pending_output_.substr(line_start);
    if (to_terminal_) pending_output_.erase(line_start);
  }
  if (!Flush()) return -1;
  std::string line;
  switch (terminal::ReadReply(input_fd_, output_fd_, last_prompt_, &line)) {
    case terminal::Reply::kError:
      return -1;
    case terminal::Reply::kEnd:
      line_open_ = to_terminal_;
      return 0;
    case terminal::Reply::kTooLong:
      overlong_reply_ = true;
      line = "\n";
      break;
    case terminal::Reply::kLine:
      break;
  }
  line_open_ = false;  // the Enter that ended the reply began a new line
  if (line.size() > input_.size()) input_.resize(line.size());
  std::memcpy(input_.data(), line.data(), line.size());
  return static_cast<long>(line.size());
}

bool Console::ReadKey(int* key) {
  if (after_word_) {
    after_word_ = false;
    DiscardLine();
  }
  if (!Available(true)) return false;
  int code = static_cast<unsigned char>(input_[input_begin_++]);
  if (key_in_sequence_) code = kSequenceKey;
  // A script written on Windows or an old Mac ends its lines with CR LF or CR;
  // either is one line end there. A terminal delivers Enter as one key of its own.
  if (code == '\r' && !from_terminal_) {
    code = '\n';
    newline_of_cr_ = true;
  }
  *key = code;
  return true;
}

Console::Word Console::ReadWord(std::string* word) {
  word->clear();
  after_word_ = true;
  for (;;) {
    if (!Available(false)) return Word::kEnd;
    if (overlong_reply_) {
      overlong_reply_ = false;
      return Word::kTooLong;
    }
    if (!IsSeparator(input_[input_begin_])) break;
    ++input_begin_;
  }
  bool too_long = false;
  while (Available(false) && !IsSeparator(input_[input_begin_])) {
    const char* begin = input_.data() + input_begin_;
    const char* end = std::find_if(begin, begin + (input_end_ - input_begin_), IsSeparator);
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (!too_long && word->size() + length <= kMaxWordLength) {
      word->append(begin, length);
    } else {
      too_long = true;
    }
    input_begin_ += length;
  }
  if (too_long) {
    word->clear();
    return Word::kTooLong;
  }
  return Word::kRead;
}

void Console::DiscardLine() {
  after_word_ = false;
  while (Available(false)) {
    const char* begin = input_.data() + input_begin_;
    const char* end = input_.data() + input_end_;
    const char* line_end =
        from_terminal_ ? std::find(begin, end, '\n') : std::find_if(begin, end, IsLineEnd);
    if (line_end != end) {
      input_begin_ += static_cast<std::size_t>(line_end - begin) + 1;
      newline_of_cr_ = *line_end == '\r';
      return;
    }
    input_begin_ = input_end_;
  }
}

void Console::Print(std::string_view text) {
  if (text.empty()) return;
  if (!process_) {
    output_->append(text);
    return;
  }
  if (!failure_.empty()) return;
  pending_output_.append(text);
  if (pending_output_.size() >= kOutputBuffer) Flush();
}

void Console::Warn(std::string_view text) {
  std::string line = "vergleichsspannung: ";
  line.append(text);
  line += '\n';
  if (!process_) {
    if (warnings_ != nullptr) warnings_->append(line);
    return;
  }
  // A warning that cannot be written changes nothing the dialogue does.
  (void)terminal::WriteOutput(warning_fd_, line.data(), line.size());
}

void Console::PrintValue(const char* format, double value) {
  char text[128];
  const int n = std::snprintf(text, sizeof text, format, value);
  Print(std::string_view(text, static_cast<std::size_t>(std::clamp(n, 0, int{sizeof text} - 1))));
}

bool Console::Flush() {
  if (!failure_.empty()) return false;
  if (pending_output_.empty()) return true;
  if (!terminal::WriteOutput(output_fd_, pending_output_.data(), pending_output_.size())) {
    // Nobody learns what the dialogue says any more: stop it, and say so.
    Fail("write error", errno);
    return false;
  }
  line_open_ = pending_output_.back() != '\n';
  pending_output_.clear();
  return true;
}

bool Console::Finish() {
  if (to_terminal_ && failure_.empty()) {
    if (!pending_output_.empty()) line_open_ = pending_output_.back() != '\n';
    if (line_open_) Print("\n");
  }
  return Flush();
}
