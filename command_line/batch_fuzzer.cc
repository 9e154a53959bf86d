// Random bytes as a table of spatial states, in each of the three forms:
// nothing may crash, every data row must give one output row with the
// header's columns, and every field the quick number reading takes must be
// read as the dialogue's prompts read it.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "command_line/batch.h"
#include "command_line/number_field.h"
#include "console/number_word.h"

namespace {

// Returns true for a line that is neither blank nor a # comment.
bool StartsRecord(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  return first != std::string_view::npos && line[first] != '#';
}

// Returns the number of records in `text` of `form`, by RFC 4180's rules
// where a separator is one (a quote opens a field only at its start, and
// after a closing quote a second one is a quote of the field), with
// blank and # lines skipped between records.
long ExpectedRecords(std::string_view text, char separator) {
  long records = 0;
  bool quoted = false, field_start = true, in_record = false, just_closed = false;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool line_end = i == text.size() || text[i] == '\n';
    if (!in_record && line_end) {
      if (StartsRecord(text.substr(line_start, i - line_start))) {
        ++records;
        in_record = true;
        // Read the line's quotes now that it is a record.
        i = line_start - 1;
        field_start = true;
        line_start = i + 1;
        continue;
      }
    }
    if (i == text.size()) break;
    const char c = text[i];
    if (line_end) {
      if (!quoted) in_record = false, field_start = true, just_closed = false;
      line_start = i + 1;
    } else if (in_record && separator != 0) {
      // A quote right after a closing one is a quote of the field: "".
      const bool toggles = c == '"' && (quoted || field_start || just_closed);
      if (toggles) quoted = !quoted;
      just_closed = toggles && !quoted;
      field_start = !quoted && c == separator;
    }
  }
  return records;
}

// Checks the quick reading of one word against the prompts'.
void CheckWord(std::string_view word) {
  double quick = 0, prompt = 0;
  const bool taken =
      vergleichsspannung::ReadStressField(word, &quick) == vergleichsspannung::FieldRefusal::kNone;
  // A prompt refuses a word over kMaxWordLength bytes before it reads it.
  const bool at_prompt = word.size() <= vergleichsspannung::kMaxWordLength &&
                         vergleichsspannung::ParseStressValue(word, &prompt);
  if (taken != at_prompt || (taken && std::memcmp(&quick, &prompt, sizeof quick) != 0)) {
    std::fprintf(stderr, "\"%.*s\" read otherwise than at a prompt\n",
                 static_cast<int>(word.size()), word.data());
    std::abort();
  }
}

int MemoryFile(const std::string& contents) {
  const int fd = memfd_create("table", 0);
  if (fd < 0 || write(fd, contents.data(), contents.size()) != static_cast<long>(contents.size())) {
    std::abort();
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the form by a first row that is data, not a header.
  static const char* const kFirstRows[] = {"1 2 3 4 5 6\n", "1,2,3,4,5,6\n", "1;2;3;4;5;6\n"};
  static const char kSeparators[] = {0, ',', ';'};
  const int form = data[0] % 3;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string table = kFirstRows[form] + std::string(rest);

  std::size_t start = 0;
  while (start < rest.size()) {
    const std::size_t end = std::min(rest.find_first_of(" \t\n,;", start), rest.size());
    CheckWord(rest.substr(start, end - start));
    start = end + 1;
  }

  const int input = MemoryFile(table);
  const int output = memfd_create("rows", 0);
  const std::string input_path = "/proc/self/fd/" + std::to_string(input);
  vergleichsspannung::Options options;
  options.mode = vergleichsspannung::Mode::kBatch;
  options.batch = true;
  options.operands = {input_path};
  vergleichsspannung::CsvOutput rows;
  rows.fd = output;
  // The refusals on standard error are not read here.
  std::fflush(stderr);
  const int saved_errors = dup(2);
  std::freopen("/dev/null", "w", stderr);
  vergleichsspannung::RunBatch(options, &rows);
  std::fflush(stderr);
  dup2(saved_errors, 2);
  close(saved_errors);

  std::string written(static_cast<std::size_t>(lseek(output, 0, SEEK_END)), '\0');
  if (pread(output, written.data(), written.size(), 0) != static_cast<long>(written.size())) {
    std::abort();
  }
  close(input);
  close(output);
  // No copied fields: every output row is one line, with the header's commas.
  long lines = 0;
  for (std::size_t at = 0, end; at < written.size(); at = end + 1, ++lines) {
    end = written.find('\n', at);
    if (end == std::string::npos ||
        std::count(written.begin() + static_cast<long>(at),
                   written.begin() + static_cast<long>(end), ',') != 5) {
      std::fprintf(stderr, "output row %ld is not a whole row of six fields\n", lines);
      std::abort();
    }
  }
  const long expected = ExpectedRecords(table, kSeparators[form]);
  if (lines - 1 != expected) {
    std::fprintf(stderr, "%ld data rows gave %ld output rows\n", expected, lines - 1);
    std::abort();
  }
  return 0;
}
