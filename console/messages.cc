#include "console/messages.h"

#include <cassert>
#include <clocale>
#include <cstring>

#ifndef _WIN32
#include <langinfo.h>
#include <libintl.h>
#include <unistd.h>
#endif

namespace vergleichsspannung {

namespace {

#ifndef _WIN32
constexpr const char* kDomain = "vergleichsspannung";

// Returns the folder whose LANGUAGE/LC_MESSAGES subfolders hold the catalogues:
// beside the program in its build folder, or ../share/locale from it where it
// is installed (a Debian package's program, configured for /usr/local, runs
// from /usr/bin), or else the folder configured for the install.
std::string CatalogueFolder() {
  char program[4096];
  const ssize_t length = readlink("/proc/self/exe", program, sizeof program);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof program) {
    std::string folder(program, static_cast<std::size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    // The German catalogue is the one every build makes.
    for (const char* relative : {"locale", "../share/locale"}) {
      std::string candidate = folder + relative;
      const std::string german = candidate + "/de/LC_MESSAGES/" + kDomain + ".mo";
      if (access(german.c_str(), R_OK) == 0) return candidate;
    }
  }
  return VS_LOCALE_DIR;
}
#endif

}  // namespace

void SetUpMessages() {
#ifndef _WIN32
  std::setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
  std::setlocale(LC_MESSAGES, "");
  bindtextdomain(kDomain, CatalogueFolder().c_str());
  // The words a warning quotes are UTF-8 (escaped where they are not); the
  // text around them is too, in any locale, the C library's causes of a
  // failed read or write ("Schreibfehler: Auf dem Gerät ...") included.
  bind_textdomain_codeset(kDomain, "UTF-8");
  bind_textdomain_codeset("libc", "UTF-8");
#endif
}

const char* Translated(const char* english) {
  assert(english != nullptr);
#ifdef _WIN32
  return english;
#else
  return dgettext(kDomain, english);
#endif
}

std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string text;
  const std::string_view* value = values.begin();
  for (std::size_t at = format.find("%s"); at != std::string_view::npos; at = format.find("%s")) {
    assert(value != values.end());
    text.append(format.substr(0, at));
    text.append(*value++);
    format.remove_prefix(at + 2);
  }
  assert(value == values.end());
  text.append(format);
  return text;
}

std::string WarningLine(std::string_view text) {
  std::string line = "vergleichsspannung: ";
  line.append(text);
  line += '\n';
  return line;
}

}  // namespace vergleichsspannung
