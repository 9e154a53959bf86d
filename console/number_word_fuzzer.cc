// Checks the number-word parser against the C library: a stress value is what
// strtod reads from the whole word (decimal comma taken as a point), finite and
// decimal; a whole number is what strtol reads from the whole word, within int.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/number_word.h"

namespace vergleichsspannung {

namespace {

// Returns true when strtod and strtol would read a number the prompts must
// refuse: blanks (they skip them), hexadecimal, "inf", "nan" or an embedded NUL.
bool HasForeignBytes(const std::string& word) {
  for (char c : word) {
    const bool allowed = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == ',' ||
                         c == 'e' || c == 'E';
    if (!allowed) return true;
  }
  return false;
}

bool ReferenceStressValue(const std::string& word, double* value) {
  if (word.empty() || HasForeignBytes(word)) return false;
  std::string mapped = word;
  for (char& c : mapped) {
    if (c == ',') c = '.';
  }
  char* end = nullptr;
  const double read = std::strtod(mapped.c_str(), &end);
  if (end != mapped.c_str() + mapped.size() || !std::isfinite(read)) return false;
  *value = read;
  return true;
}

bool ReferenceWholeNumber(const std::string& word, int* number) {
  if (word.empty() || HasForeignBytes(word) || word.find_first_of(".,eE") != std::string::npos) {
    return false;
  }
  char* end = nullptr;
  errno = 0;
  const long long read = std::strtoll(word.c_str(), &end, 10);
  if (end != word.c_str() + word.size() || errno == ERANGE || read < INT_MIN || read > INT_MAX) {
    return false;
  }
  *number = static_cast<int>(read);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string word(reinterpret_cast<const char*>(data), size);

  double ours = 0, reference = 0;
  const bool accepted = ParseStressValue(word, &ours);
  if (accepted != ReferenceStressValue(word, &reference)) std::abort();
  if (accepted && std::memcmp(&ours, &reference, sizeof ours) != 0) std::abort();

  int our_number = 0, reference_number = 0;
  const bool whole = ParseWholeNumber(word, &our_number);
  if (whole != ReferenceWholeNumber(word, &reference_number)) std::abort();
  if (whole && our_number != reference_number) std::abort();
  return 0;
}

}  // namespace vergleichsspannung
