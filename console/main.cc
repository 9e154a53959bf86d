// The calculator of equivalent stresses: one menu loop on the process's console.
#include <cstdio>

#include "console/console.h"
#include "console/menu_loop.h"

int main() {
  Console console(0, 1, 2);
  const int status = MenuLoop(&console);
  // A failed run must not pass for a finished one: say why on standard error.
  if (!console.failure().empty()) {
    std::fprintf(stderr, "vergleichsspannung: %s\n", console.failure().c_str());
  }
  return status;
}
