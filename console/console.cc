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

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

Console::Console(ByteSource input, ByteSink output, ByteSink warnings)
    : input_(std::move(input)),
      output_(std::move(output)),
      warnings_(std::move(warnings)),
      buffer_(kInputBuffer),
      output_buffer_(kOutputBuffer) {
  assert(input_.read && input_.await && output_.write && output_.await && warnings_.write);
  assert(!input_.terminal || (input_.read_key && input_.read_reply && input_.show_reply));
}

Console::~Console() { Flush(); }

void Console::Fail(std::string_view what, int error) {
  if (failure_.empty()) failure_ = std::string(what) + ": " + std::strerror(error);
  ended_ = true;
  begin_ = end_;
  pending_size_ = 0;
}

bool Console::Available(bool for_key) {
  for (;;) {
    if (SkipLineFeedAfterCr()) return true;
    if (ended_) return false;
    const IoResult read = Refill(for_key);
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

IoResult Console::Refill(bool for_key) {
  if (input_.terminal && !for_key) return ReadReply();
  // The reader must see every prompt before the program waits for its answer.
  if (!Flush()) return IoResult{};
  if (!input_.terminal) return ReadBytes();
  bool in_sequence = false;
  const IoResult read = input_.read_key(buffer_.data(), &in_sequence);
  key_in_sequence_ = in_sequence;
  return read;
}

IoResult Console::ReadBytes() {
  for (;;) {
    const IoResult read = input_.read(buffer_.data(), buffer_.size());
    if (read.error == EINTR) continue;
    if (!WouldBlock(read.error)) return read;
    const IoResult ready = input_.await();
    if (ready.failed() && ready.error != EINTR) return ready;
  }
}

bool Console::TakePrompt() {
  // The prompt is what stands on the last line; the reply line shows it on
  // the terminal and keeps it in front of the reply while it is edited. Output
  // that goes elsewhere keeps it too, as a pipe session has it.
  const std::string_view pending = PendingOutput();
  const std::size_t line_start = pending.rfind('\n') + 1;
  if (line_start >= pending.size()) return false;
  last_prompt_ = pending.substr(line_start);
  if (output_.terminal) pending_size_ = line_start;
  return true;
}

void Console::ShowTakenWord(std::string_view word) {
  if (!TakePrompt() || !Flush()) return;
  const IoResult shown = input_.show_reply(last_prompt_, Printable(word));
  if (shown.failed()) {
    Fail(Translated("write error"), shown.error);
  } else {
    line_open_ = false;  // shown as entered, with its line ended
  }
}

IoResult Console::ReadReply() {
  TakePrompt();
  if (!Flush()) return IoResult{};
  std::string line;
  bool too_long = false;
  const IoResult read = input_.read_reply(last_prompt_, &line, &too_long);
  if (read.failed()) return read;
  if (read.count == 0) {
    line_open_ = output_.terminal;
    return read;
  }
  line_open_ = false;  // the Enter that ended the reply began a new line
  if (too_long) {
    overlong_reply_ = true;
    line = "\n";
  }
  if (line.size() > buffer_.size()) buffer_.resize(line.size());
  std::memcpy(buffer_.data(), line.data(), line.size());
  return IoResult{static_cast<long>(line.size()), 0};
}

bool Console::ReadKey(int* key) {
  DiscardLine();
  if (!Available(true)) return false;
  int code = static_cast<unsigned char>(buffer_[begin_++]);
  if (key_in_sequence_) code = kSequenceKey;
  // A script written on Windows or an old Mac ends its lines with CR LF or CR;
  // either is one line end there. A terminal delivers Enter as one key of its own.
  if (code == '\r' && !input_.terminal) {
    code = '\n';
    newline_of_cr_ = true;
  }
  *key = code;
  return true;
}

Console::Word Console::ReadWord(std::string* word) {
  const Word read = ReadNextWord(word);
  // The screen shows what each prompt took, also from a line typed earlier.
  if (input_.terminal && !word->empty()) ShowTakenWord(*word);
  return read;
}

Console::Word Console::ReadNextWord(std::string* word) {
  word->clear();
  after_word_ = true;
  for (;;) {
    if (!Available(false)) return Word::kEnd;
    if (overlong_reply_) {
      overlong_reply_ = false;
      return Word::kLineTooLong;
    }
    if (!IsSeparator(buffer_[begin_])) break;
    ++begin_;
  }
  bool too_long = false;
  while (Available(false) && !IsSeparator(buffer_[begin_])) {
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
  while (input_.terminal ? SkipLineFeedAfterCr() : Available(false)) {
    const char* begin = buffer_.data() + begin_;
    const char* end = buffer_.data() + end_;
    const char* line_end =
        input_.terminal ? std::find(begin, end, '\n') : std::find_if(begin, end, IsLineEnd);
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
  std::string line = "vergleichsspannung: ";
  line.append(text);
  line += '\n';
  // The dialogue goes on without its warnings, but the run must not pass for
  // a clean one: Finish reports the loss.
  if (!warnings_lost_) warnings_lost_ = WriteAll(warnings_, line).failed();
}

IoResult Console::WriteAll(const ByteSink& sink, std::string_view data) {
  while (!data.empty()) {
    const IoResult written = sink.write(data.data(), data.size());
    if (written.error == EINTR) continue;
    if (WouldBlock(written.error)) {
      const IoResult ready = sink.await();
      if (ready.failed() && ready.error != EINTR) return ready;
      continue;
    }
    if (written.failed()) return written;
    if (written.count <= 0) return Failure(EIO);  // a sink that takes nothing never will
    data.remove_prefix(static_cast<std::size_t>(written.count));
  }
  return IoResult{};
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
