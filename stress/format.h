// How every stress value reads in the dialogue's output.
#ifndef VERGLEICHSSPANNUNG_STRESS_FORMAT_H_
#define VERGLEICHSSPANNUNG_STRESS_FORMAT_H_

#include <string>

namespace vergleichsspannung {

// Returns `value` exactly as the "%g" conversion prints it: six significant
// digits with trailing zeros dropped, an exponent beyond them, and the
// platform's text for infinity and not-a-number.
std::string FormatStress(double value);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_FORMAT_H_
