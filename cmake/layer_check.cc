// A terminal file that reaches up into the dialogue. Built against the
// terminal library alone it must not compile; against the dialogue it does.
#include "console/console.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

std::size_t WordLengthSeenFromBelow() { return kMaxWordLength + kMaxReplyLength; }

}  // namespace vergleichsspannung
