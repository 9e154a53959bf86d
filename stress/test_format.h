// Formats numbers for the stress tests exactly as the dialogue prints them.
#ifndef VERGLEICHSSPANNUNG_STRESS_TEST_FORMAT_H_
#define VERGLEICHSSPANNUNG_STRESS_TEST_FORMAT_H_

#include <cstdio>
#include <string>

// Returns `value` as the "%g" conversion prints it.
inline std::string AsPrinted(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

#endif  // VERGLEICHSSPANNUNG_STRESS_TEST_FORMAT_H_
