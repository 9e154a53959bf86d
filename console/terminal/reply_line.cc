#include "console/terminal/reply_line.h"

#include "console/terminal/input.h"

namespace vergleichsspannung {

namespace {

constexpr char Ctrl(char letter) { return static_cast<char>(letter & 0x1f); }

bool IsBlank(char32_t c) { return c == U' '; }

LineOutcome Insert(ReplyLine* line, char32_t c) {
  if (line->text.size() >= kMaxReplyLength) {
    if (line->too_long) return LineOutcome::kEdited;
    line->too_long = true;
    return LineOutcome::kBell;
  }
  // What the terminal would not advance over could not be seen or edited.
  if (ColumnsOf(c) == 0) c = kReplacementCharacter;
  line->text.insert(line->cursor, 1, c);
  ++line->cursor;
  return LineOutcome::kEdited;
}

// Shows the reply `back` places back in `history`, 0 being the line typed.
void Recall(ReplyLine* line, const ReplyHistory& history, std::size_t back) {
  if (line->recalled == 0) line->typed = line->text;
  line->recalled = back;
  line->text =
      back == 0 ? line->typed : CharactersOf(history.replies[history.replies.size() - back]);
  line->cursor = line->text.size();
}

void EraseWordBefore(ReplyLine* line) {
  std::size_t start = line->cursor;
  while (start > 0 && IsBlank(line->text[start - 1])) --start;
  while (start > 0 && !IsBlank(line->text[start - 1])) --start;
  line->text.erase(start, line->cursor - start);
  line->cursor = start;
}

void EraseNext(ReplyLine* line) {
  if (line->cursor < line->text.size()) line->text.erase(line->cursor, 1);
}

LineOutcome Edit(ReplyLine* line, const ReplyHistory& history, EditingKey key) {
  switch (key) {
    case EditingKey::kUp:
      if (line->recalled < history.replies.size()) Recall(line, history, line->recalled + 1);
      break;
    case EditingKey::kDown:
      if (line->recalled > 0) Recall(line, history, line->recalled - 1);
      break;
    case EditingKey::kRight:
      if (line->cursor < line->text.size()) ++line->cursor;
      break;
    case EditingKey::kLeft:
      if (line->cursor > 0) --line->cursor;
      break;
    case EditingKey::kHome:
      line->cursor = 0;
      break;
    case EditingKey::kEnd:
      line->cursor = line->text.size();
      break;
    case EditingKey::kDelete:
      EraseNext(line);
      break;
  }
  return LineOutcome::kEdited;
}

// The control keys of the reply line; all others do nothing.
LineOutcome ControlKey(ReplyLine* line, const ReplyHistory& history, char c) {
  switch (c) {
    case '\r':
    case '\n':
      return LineOutcome::kEntered;
    case '\t':  // separates numbers, as a blank does
      return Insert(line, U' ');
    case 0x7f:
    case Ctrl('H'):
      if (line->cursor > 0) line->text.erase(--line->cursor, 1);
      break;
    case Ctrl('D'):
      if (line->text.empty()) return LineOutcome::kEndOfInput;
      EraseNext(line);
      break;
    case Ctrl('A'):
      return Edit(line, history, EditingKey::kHome);
    case Ctrl('E'):
      return Edit(line, history, EditingKey::kEnd);
    case Ctrl('B'):
      return Edit(line, history, EditingKey::kLeft);
    case Ctrl('F'):
      return Edit(line, history, EditingKey::kRight);
    case Ctrl('P'):
      return Edit(line, history, EditingKey::kUp);
    case Ctrl('N'):
      return Edit(line, history, EditingKey::kDown);
    case Ctrl('U'):
      line->text.clear();
      line->cursor = 0;
      break;
    case Ctrl('K'):
      line->text.erase(line->cursor);
      break;
    case Ctrl('W'):
      EraseWordBefore(line);
      break;
    default:  // Ctrl-L among them: the line is drawn anew after every key
      break;
  }
  return LineOutcome::kEdited;
}

}  // namespace

LineOutcome ApplyKey(ReplyLine* line, const ReplyHistory& history, const Key& key) {
  // Any key but a byte beyond ASCII ends a character begun before it.
  std::u32string decoded;
  const bool beyond_ascii = key.kind == Key::Kind::kCharacter && key.byte >= 0x80;
  if (beyond_ascii) {
    FollowUtf8(&line->partial, key.byte, &decoded);
  } else {
    EndUtf8(&line->partial, &decoded);
  }
  LineOutcome outcome = LineOutcome::kEdited;
  if (key.kind == Key::Kind::kText) decoded.push_back(key.text);
  for (char32_t c : decoded) {
    if (Insert(line, c) == LineOutcome::kBell) outcome = LineOutcome::kBell;
  }
  if (key.kind == Key::Kind::kEditing) return Edit(line, history, key.editing);
  if (key.kind != Key::Kind::kCharacter || beyond_ascii) return outcome;
  const char c = static_cast<char>(key.byte);
  if (key.byte < 0x20 || key.byte == 0x7f) {
    const LineOutcome control = ControlKey(line, history, c);
    return control == LineOutcome::kEdited ? outcome : control;
  }
  const LineOutcome inserted = Insert(line, static_cast<char32_t>(key.byte));
  return inserted == LineOutcome::kEdited ? outcome : inserted;
}

std::string ReplyText(const ReplyLine& line) { return Utf8Of(line.text); }

void Remember(ReplyHistory* history, const std::string& reply) {
  if (reply.find_first_not_of(" \t") == std::string::npos) return;
  if (reply.size() > kLongestRememberedReply) return;
  std::vector<std::string>& replies = history->replies;
  if (!replies.empty() && replies.back() == reply) return;
  if (replies.size() == kRememberedReplies) replies.erase(replies.begin());
  replies.push_back(reply);
}

}  // namespace vergleichsspannung
