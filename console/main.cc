// The calculator of equivalent stresses: with no arguments, one menu loop on
// the process's console; with arguments, the command line.
#include <cstdio>

#include "command_line/command_line.h"
#include "console/menu_loop.h"
#include "console/messages.h"
#include "console/process_console.h"

int main(int argc, char** argv) {
  vergleichsspannung::SetUpMessages();
  if (argc > 1) return vergleichsspannung::RunCommandLine(argc, argv);
  vergleichsspannung::ProcessConsole process(0, 1, 2);
  int status = vergleichsspannung::MenuLoop(process.console());
  if (!process.Close()) status = 1;
  // A failed run must not pass for a finished one: say why on standard error.
  if (!process.console()->failure().empty()) {
    std::fputs(vergleichsspannung::WarningLine(process.console()->failure()).c_str(), stderr);
    status = 1;
  }
  return status;
}
