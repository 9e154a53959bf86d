#include "command_line/csv_writer.h"

#include <cassert>
#include <cmath>

#include "command_line/significant_digits.h"
#include "console/terminal/descriptor_stream.h"

namespace vergleichsspannung {

namespace {

bool NeedsQuotes(std::string_view text) {
  if (text.find_first_of(",\"\r\n") != std::string_view::npos) return true;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !text.empty() && (blank(text.front()) || blank(text.back()));
}

}  // namespace

void AppendField(std::string* out, std::string_view text) {
  if (!NeedsQuotes(text)) {
    out->append(text);
    return;
  }
  out->push_back('"');
  for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"')) {
    out->append(text.substr(0, quote + 1));
    out->push_back('"');
    text.remove_prefix(quote + 1);
  }
  out->append(text);
  out->push_back('"');
}

void AppendNumber(std::string* out, double value, int digits) {
  assert(digits >= 1 && digits <= 17 && std::isfinite(value));
  char text[kMaxSignificantText];
  const char* end = WriteSignificant(text, value, digits);
  out->append(text, static_cast<std::size_t>(end - text));
}

bool Flush(CsvOutput* output) {
  if (output->error == 0 && !output->pending.empty()) {
    output->error = WriteAll(DescriptorSink(output->fd), output->pending).error;
  }
  output->pending.clear();
  return output->error == 0;
}

}  // namespace vergleichsspannung
