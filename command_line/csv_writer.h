// The command line's output: CSV with a comma, a decimal point and RFC 4180
// quoting, one row per line, collected in memory and written out in blocks.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_CSV_WRITER_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_CSV_WRITER_H_

#include <string>
#include <string_view>

namespace vergleichsspannung {

// Rows not yet written to `fd`, and the first failure of writing them.
struct CsvOutput {
  int fd = 1;
  std::string pending;
  int error = 0;  // errno value of the first failed write; nothing more is written after it
};

// Output is written once this much has collected, and before every wait for input.
constexpr std::size_t kOutputBlock = 1 << 16;

// Appends `text` as one field: as it is, or in double quotes with each
// double quote doubled where it holds a comma, a double quote, a CR or an LF
// or starts or ends with a blank (which a reader might trim).
void AppendField(std::string* out, std::string_view text);

// Appends `value` with `digits` significant digits as "%.*g" prints it,
// trailing zeros dropped; with 6 digits the dialogue's report's text.
// REQUIRES: 1 <= digits <= 17, value finite.
void AppendNumber(std::string* out, double value, int digits);

// Writes out what is pending, unless an earlier write failed. Returns false
// when this or an earlier write failed.
bool Flush(CsvOutput* output);

// Flushes once at least kOutputBlock bytes are pending.
inline bool FlushIfFull(CsvOutput* output) {
  return output->pending.size() < kOutputBlock ? output->error == 0 : Flush(output);
}

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_CSV_WRITER_H_
