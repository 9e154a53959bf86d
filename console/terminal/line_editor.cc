#include "console/terminal/line_editor.h"

#include <algorithm>
#include <cassert>
#include <cerrno>

#include "console/terminal/utf8_text.h"

namespace vergleichsspannung {

namespace {

// Returns true when `line` stands on one row of a window `columns` wide.
bool OnOneRow(const std::u32string& line, std::size_t columns) {
  return LayOutLine(std::u32string(), line, 0, columns).end.row == 0;
}

bool NothingThere(int error) { return error == EINTR || error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

Window LineEditor::CurrentWindow() {
  Window window;
  window.cursor_addressing = device_->CursorAddressing();
  const std::size_t columns = device_->Columns();
  if (columns > 0) window.columns = columns;  // 0: the terminal does not say
  return window;
}

IoResult LineEditor::ReadyToDraw() {
  if (!open_to_draw_) {
    const IoResult opened = device_->OpenToDraw();
    if (opened.failed()) return opened;
    open_to_draw_ = true;
  }
  if (prompt_in_output_) device_->LetReaderShowPrompt();
  return IoResult{};
}

IoResult LineEditor::Fill(Got* got) {
  *got = Got::kNothing;
  Waited waited = Waited::kBytes;
  IoResult result = device_->Wait(MillisecondsToWait(decoder_, device_->NowMs()), &waited);
  if (result.failed()) return result;
  if (waited == Waited::kTimeout) {
    // Only a real pause ends a sequence: a byte that is there belongs to it,
    // however late the program comes to look (a loaded machine, a stop).
    result = device_->Wait(0, &waited);
    if (result.failed()) return result;
    if (waited == Waited::kTimeout) {
      *got = Got::kPause;
      return IoResult{};
    }
  }
  if (waited == Waited::kScreenEvent) {
    *got = Got::kScreenEvent;
    return IoResult{};
  }
  const IoResult read = device_->Read(bytes_, sizeof bytes_);
  if (NothingThere(read.error)) return IoResult{};
  if (read.failed()) return read;
  if (read.count <= 0) return Failure(EIO);  // in key mode only a hung-up terminal reads nothing
  begin_ = 0;
  end_ = static_cast<std::size_t>(read.count);
  // Bytes found while a sequence waited for them came within its wait.
  const long now = device_->NowMs();
  arrived_ms_ =
      decoder_.sequence.empty() ? now : std::min(now, decoder_.last_byte_ms + kSequenceWaitMs - 1);
  *got = Got::kBytes;
  return IoResult{};
}

IoResult LineEditor::ReadForKey(std::vector<char>* buffer, KeyRead* read) {
  assert(!buffer->empty());
  *read = KeyRead();
  while (begin_ == end_) {
    Got got = Got::kNothing;
    const IoResult filled = Fill(&got);
    if (filled.failed()) return filled;
    // A sequence that a pause cut short is a key without action: the menu
    // took its bytes as no command already.
    if (got == Got::kPause) DecodeTimeout(&decoder_, device_->NowMs());
    if (got == Got::kScreenEvent && device_->TakeScreenEvents().continued) {
      read->continued = true;
      return IoResult{};
    }
  }
  // A sequence that types a character (the application keypad, kitty's and
  // xterm's key reports) acts at the menu as that character; every other
  // byte of a sequence is no command.
  const auto byte = static_cast<unsigned char>(bytes_[begin_++]);
  const int code = MenuCodeOf(DecodeByte(&decoder_, byte, arrived_ms_), byte);
  read->in_sequence = code < 0;
  (*buffer)[0] = static_cast<char>(code < 0 ? byte : code);
  return IoResult{1, 0};
}

IoResult LineEditor::Show(Reply* reply) {
  const ScreenEvents events = device_->TakeScreenEvents();
  std::string bytes;
  if (events.resized) {
    const std::size_t columns_before = reply->window.columns;
    reply->window = CurrentWindow();
    // Terminals differ in what a resize does to the rows drawn: xterm and the
    // Linux console cut them, tmux and VTE rewrap them, and the program cannot
    // tell which. A line on one row at both widths stays where it was in
    // either; any other is drawn anew on a cleared screen, so that no stale
    // row and no second copy remain.
    if (reply->window.cursor_addressing && reply->drawn.shown &&
        !(OnOneRow(reply->drawn.shown_text, columns_before) &&
          OnOneRow(reply->prompt + reply->line.text, reply->window.columns))) {
      bytes = "\033[H\033[J";
      reply->drawn = DrawnLine();
    }
  }
  // After a stop the shell wrote below the line: draw it anew where the cursor is.
  if (events.continued) reply->drawn = DrawnLine();
  if (!reply->stale && !events.resized && !events.continued) return IoResult{};
  reply->stale = false;
  bytes += DrawReplyLine(reply->prompt, reply->line, reply->window, &reply->drawn);
  // Told before the line shows, so that no signal finds it shown but not noted.
  device_->NoteOpenLine(true, static_cast<int>(reply->drawn.rows_below_cursor));
  return device_->Write(bytes);
}

IoResult LineEditor::NextKeys(Reply* reply, DecodedKeys* keys) {
  *keys = DecodedKeys();
  while (begin_ == end_) {
    const IoResult shown = Show(reply);
    if (shown.failed()) return shown;
    Got got = Got::kNothing;
    const IoResult filled = Fill(&got);
    if (filled.failed()) return filled;
    if (got == Got::kPause) *keys = DecodeTimeout(&decoder_, device_->NowMs());
    if (keys->count > 0) return IoResult{};
  }
  const unsigned char byte = static_cast<unsigned char>(bytes_[begin_++]);
  *keys = DecodeByte(&decoder_, byte, arrived_ms_);
  return IoResult{};
}

IoResult LineEditor::Enter(Reply* reply, std::vector<char>* buffer, ReplyRead* read) {
  const IoResult written =
      device_->Write(EndReplyLine(reply->prompt, reply->line, reply->window, &reply->drawn));
  if (written.failed()) return written;
  device_->NoteOpenLine(false, 0);
  read->too_long = reply->line.too_long;
  std::string line = "\n";
  if (!reply->line.too_long) {
    line = ReplyText(reply->line);
    Remember(&history_, line);
    line.push_back('\n');
  }
  if (line.size() > buffer->size()) buffer->resize(line.size());
  std::copy(line.begin(), line.end(), buffer->begin());
  return IoResult{static_cast<long>(line.size()), 0};
}

IoResult LineEditor::ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                                  ReplyRead* read) {
  *read = ReplyRead();
  const IoResult ready = ReadyToDraw();
  if (ready.failed()) return ready;
  Reply reply;
  reply.prompt = CharactersOf(prompt);
  device_->TakeScreenEvents();  // nothing of this line was drawn before
  reply.window = CurrentWindow();
  for (;;) {
    DecodedKeys keys;
    const IoResult next = NextKeys(&reply, &keys);
    if (next.failed()) return next;
    for (int i = 0; i < keys.count; ++i) {
      const LineOutcome outcome = ApplyKey(&reply.line, history_, keys.keys[i]);
      reply.stale = true;
      if (outcome == LineOutcome::kEntered) return Enter(&reply, buffer, read);
      if (outcome == LineOutcome::kBell) {
        const IoResult rung = device_->Write("\a");
        if (rung.failed()) return rung;
      }
      if (outcome != LineOutcome::kEndOfInput) continue;
      // The console ends the line on a terminal output; on a redirected one, this line is ours.
      if (prompt_in_output_ && !device_->Write("\n").failed()) device_->NoteOpenLine(false, 0);
      return IoResult{};
    }
  }
}

IoResult LineEditor::ShowReply(std::string_view prompt, std::string_view text) {
  const IoResult ready = ReadyToDraw();
  if (ready.failed()) return ready;
  ReplyLine line;
  line.text = CharactersOf(text);
  line.cursor = line.text.size();
  DrawnLine drawn;
  return device_->Write(EndReplyLine(CharactersOf(prompt), line, CurrentWindow(), &drawn));
}

}  // namespace vergleichsspannung
