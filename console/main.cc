// The calculator of equivalent stresses: one menu loop on the process's console.
#include "console/console.h"
#include "console/menu_loop.h"

int main() {
  Console console;
  return MenuLoop(&console);
}
