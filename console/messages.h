// The language of the warnings on standard error: the locale is taken from the
// environment once, at program start, and every warning text is looked up in
// the user's language (German or English). The dialogue on standard output
// never changes: its texts are fixed, and numbers print with a point.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_MESSAGES_H_
#define VERGLEICHSSPANNUNG_CONSOLE_MESSAGES_H_

// Reached only through the text library: a layer below it stops here.
#ifndef VS_LAYER_TEXT
#error "a header of the text layer, included from a layer below it"
#endif

#include <initializer_list>
#include <string>
#include <string_view>

namespace vergleichsspannung {

// Sets the character type and the message language from the environment
// (LC_ALL, LC_CTYPE, LC_MESSAGES, LANG; LANGUAGE as gettext reads it); where
// the environment names no UTF-8 character set, characters are read and
// measured as UTF-8, which terminals send today. Numbers keep the C locale. Finds the warning
// catalogue beside the program (its build folder, or ../share/locale) or in
// the folder it was configured to be installed in. Call once, before any
// warning is written and before any other thread starts.
void SetUpMessages();

// Returns `english`, a warning text marked for translation, in the user's
// language; as it is when there is no translation (or no catalogue, as on
// Windows). The texts are UTF-8 whatever the locale's character set.
// REQUIRES: english != nullptr.
const char* Translated(const char* english);

// Returns `format` with each "%s" replaced by the next of `values`, in order.
// REQUIRES: `format` holds as many "%s" as there are values.
std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values);

// Returns `text` as one line of warning for standard error: the program's
// name in front, so a user of a pipeline sees whose warning it is, and a
// newline behind. Every warning and failure line the program writes is made
// here.
std::string WarningLine(std::string_view text);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_MESSAGES_H_
