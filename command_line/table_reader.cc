#include "command_line/table_reader.h"

#include <cstring>
#include <utility>

#include "console/terminal/descriptor_stream.h"

namespace vergleichsspannung {

namespace {

// What one read asks for: large enough that a file costs few calls.
constexpr std::size_t kReadBlock = 1 << 16;

constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Returns true for a line that holds no record: blank, or a # comment.
bool IsSkipped(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (IsBlank(line[i]) || line[i] == '\r')) ++i;
  return i == line.size() || line[i] == '#';
}

void SplitBlanks(std::string_view record, std::vector<std::string_view>* fields) {
  std::size_t i = 0;
  while (true) {
    while (i < record.size() && IsBlank(record[i])) ++i;
    if (i == record.size()) return;
    const std::size_t start = i;
    while (i < record.size() && !IsBlank(record[i])) ++i;
    fields->push_back(record.substr(start, i - start));
  }
}

// Reads the quoted field at record[*i] (its opening quote) into *unquoted,
// up to the separator; returns false when its quote is not closed.
bool ReadQuoted(std::string_view record, char separator, std::size_t* i, std::string* unquoted) {
  bool closed = false;
  std::size_t at = *i + 1;
  while (at < record.size() && !closed) {
    if (record[at] == '"') {
      closed = at + 1 == record.size() || record[at + 1] != '"';
      if (!closed) unquoted->push_back('"');
      at += closed ? 1 : 2;
    } else {
      unquoted->push_back(record[at++]);
    }
  }
  // What stands between the closing quote and the separator is kept as it is.
  while (at < record.size() && record[at] != separator) unquoted->push_back(record[at++]);
  *i = at;
  return closed;
}

bool SplitSeparated(std::string_view record, char separator, std::string* unquoted,
                    std::vector<std::string_view>* fields) {
  unquoted->clear();
  // Unquoted text is never longer than the record, so no field moves.
  unquoted->reserve(record.size());
  bool closed = true;
  std::size_t i = 0;
  while (true) {
    if (i < record.size() && record[i] == '"') {
      const std::size_t start = unquoted->size();
      closed = ReadQuoted(record, separator, &i, unquoted) && closed;
      fields->push_back(std::string_view(*unquoted).substr(start));
    } else {
      std::size_t end = record.find(separator, i);
      if (end == std::string_view::npos) end = record.size();
      fields->push_back(record.substr(i, end - i));
      i = end;
    }
    if (i == record.size()) return closed;
    ++i;  // the separator, which a last empty field may follow
    if (i == record.size()) {
      fields->push_back({});
      return closed;
    }
  }
}

}  // namespace

TableForm DetectForm(std::string_view line) {
  bool quoted = false, quote = false, comma = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      quote = true;
    } else if (c == ';' && !quoted) {
      return TableForm::kSemicolon;
    } else if (c == ',') {
      comma = true;
    }
  }
  if (quote) return TableForm::kComma;
  if (!comma) return TableForm::kBlanks;
  std::vector<std::string_view> words;
  SplitBlanks(line, &words);
  for (std::string_view word : words) {
    const std::size_t first = word.find(',');
    if (first == 0 || word.back() == ',' || word.find(',', first + 1) != std::string_view::npos) {
      return TableForm::kComma;
    }
  }
  return TableForm::kBlanks;
}

bool SplitFields(std::string_view record, TableForm form, std::string* unquoted,
                 std::vector<std::string_view>* fields) {
  fields->clear();
  if (form == TableForm::kBlanks) {
    SplitBlanks(record, fields);
    return true;
  }
  return SplitSeparated(record, form == TableForm::kSemicolon ? ';' : ',', unquoted, fields);
}

TableReader::TableReader(int fd, std::function<void()> before_wait)
    : source_(DescriptorSource(fd)), before_wait_(std::move(before_wait)), buffer_(kReadBlock) {}

bool TableReader::Refill() {
  if (at_end_) return false;
  if (before_wait_) before_wait_();
  const IoResult read = ReadAvailable(source_, buffer_.data(), buffer_.size());
  error_ = read.error;
  if (read.count <= 0) {
    at_end_ = true;
    return false;
  }
  begin_ = 0;
  end_ = static_cast<std::size_t>(read.count);
  return true;
}

bool TableReader::ReadLine(std::string_view* line, bool* too_long) {
  *too_long = false;
  bool copying = false;
  line_copy_.clear();
  while (true) {
    if (begin_ == end_ && !Refill()) {
      if (!copying) return false;
      break;  // a last line without a line end
    }
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    const std::size_t length =
        newline != nullptr ? static_cast<std::size_t>(newline - start) : end_ - begin_;
    begin_ += length + (newline != nullptr ? 1 : 0);
    if (newline != nullptr && !copying) {
      *line = std::string_view(start, length);  // the usual case: no copy
      break;
    }
    copying = true;
    if (line_copy_.size() + length > kMaxRecordBytes) *too_long = true;
    if (!*too_long) line_copy_.append(start, length);
    if (newline != nullptr) break;
  }
  if (copying) *line = *too_long ? std::string_view() : std::string_view(line_copy_);
  EndLine(line);
  return true;
}

void TableReader::EndLine(std::string_view* line) {
  ++line_;
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  if (line_ == 1 && line->substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    line->remove_prefix(kByteOrderMark.size());
  }
}

bool TableReader::Next(TableRecord* record) {
  std::string_view line;
  bool too_long = false;
  while (ReadLine(&line, &too_long)) {
    record->line = line_;
    record->too_long = too_long;
    record->fields.clear();
    if (too_long) return true;
    if (IsSkipped(line)) continue;
    if (form_ == TableForm::kUnknown) form_ = DetectForm(line);
    if (SplitFields(line, form_, &unquoted_, &record->fields)) return true;
    // A quoted field holds a line end: the record goes on on the next line,
    // which may overwrite the read buffer, so the record is kept apart.
    record_.assign(line);
    while (ReadLine(&line, &too_long)) {
      if (too_long || record_.size() + 1 + line.size() > kMaxRecordBytes) {
        record->too_long = true;
        record->fields.clear();
        return true;
      }
      record_.push_back('\n');
      record_.append(line);
      if (SplitFields(record_, form_, &unquoted_, &record->fields)) return true;
    }
    SplitFields(record_, form_, &unquoted_, &record->fields);  // open at the end of the input
    return true;
  }
  return false;
}

}  // namespace vergleichsspannung
