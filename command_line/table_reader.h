// Reads a table of stress states as it comes, record by record, in one of the
// three forms engineers export: fields separated by blanks or tabs; CSV with
// commas (RFC 4180, quoted fields included); a spreadsheet's CSV with
// semicolons. The form is taken from the file's first line that holds
// anything. CR LF line ends and a UTF-8 byte order mark are fine; blank lines
// and lines starting with # are skipped. Memory stays bounded whatever the
// input: a record longer than kMaxRecordBytes is skipped, and reported so.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_READER_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_READER_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/terminal/byte_stream.h"

namespace vergleichsspannung {

// The longest record the reader keeps, in bytes.
constexpr std::size_t kMaxRecordBytes = 1 << 20;

enum class TableForm { kUnknown, kBlanks, kComma, kSemicolon };

// One record: the fields of one line (or of several, where a quoted CSV field
// holds a line end).
struct TableRecord {
  std::vector<std::string_view> fields;  // valid until the next read
  long line = 0;                         // the line it starts on, counted from 1
  bool too_long = false;                 // longer than kMaxRecordBytes: no fields
};

// Returns the form of a table whose first line is `line`: semicolons where it
// holds one outside quotes; commas where it holds a double quote or a word
// with more than one comma or a comma at either end;
// blanks otherwise, so "1,5 2,5 3" reads as three numbers with decimal commas.
TableForm DetectForm(std::string_view line);

// Splits `record` of the given form into *fields, quoted fields unquoted into
// *unquoted (which must not be changed while the fields are used). Returns
// false when a quoted field is still open at the end of `record`.
bool SplitFields(std::string_view record, TableForm form, std::string* unquoted,
                 std::vector<std::string_view>* fields);

class TableReader {
 public:
  // Reads `fd`; calls `before_wait` before every read from it, which may wait.
  TableReader(int fd, std::function<void()> before_wait);

  // Reads the next record. Returns false at the end of the input, or when
  // reading failed (error() then holds the errno value).
  bool Next(TableRecord* record);

  int error() const { return error_; }
  TableForm form() const { return form_; }

 private:
  // Reads the next line, without its line end, into *line (valid until the
  // next read); *too_long when it had more than kMaxRecordBytes (*line is
  // then empty). Returns false at the end of the input.
  bool ReadLine(std::string_view* line, bool* too_long);
  // Counts the line just read and drops its CR and, on the first line, a
  // byte order mark.
  void EndLine(std::string_view* line);
  bool Refill();

  ByteSource source_;
  std::function<void()> before_wait_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  int error_ = 0;
  long line_ = 0;
  TableForm form_ = TableForm::kUnknown;
  std::string line_copy_;  // a line that does not lie whole in buffer_
  std::string record_;     // a record of several lines
  std::string unquoted_;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_READER_H_
