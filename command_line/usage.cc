#include "command_line/usage.h"

#include "console/messages.h"
#include "console/version.h"

namespace vergleichsspannung {

std::string HelpText() {
  std::string text = Translated(
      "Usage: vergleichsspannung\n"
      "  or:  vergleichsspannung --state STATE [OPTION...] [--] VALUE...\n"
      "  or:  vergleichsspannung --state STATE --batch [OPTION...] [FILE...]\n"
      "Computes principal stresses and equivalent stresses (N/mm2) by the distortion\n"
      "energy (GEH), normal stress (NH) and shear stress (SH) hypotheses.\n"
      "Without arguments, starts the dialogue.\n"
      "\n");
  text += Translated(
      "  -s, --state=STATE       spatial (raeumlich, 1): SigXX SigYY SigZZ\n"
      "                            TauXY TauYZ TauZX\n"
      "                          plane (scheibe, 2): SigXX SigYY TauXY\n"
      "                          axisymmetric (axialsym, 3): SigRR SigZZ TauRZ SigTE\n"
      "                          plate (platte, 4): SigXX SigYY TauXY\n"
      "  -H, --hypothesis=LIST   report only these hypotheses: GEH,NH,SH (default all)\n"
      "  -b, --batch             read one state per line from each FILE (- or none:\n"
      "                          standard input), fields separated by blanks, commas\n"
      "                          or semicolons; write one CSV row per data row\n"
      "  -c, --columns=LIST      the component fields, as cut -f: 2-7, 1,3,5 or 4-;\n"
      "                          every other field is copied into the output row\n"
      "  -d, --digits=N          significant digits of the results, 1 to 17 (default 6)\n"
      "  -m, --mohr=FILE         also draw Mohr's circles of the one state as an SVG\n"
      "                          picture into FILE (-: standard output, the results\n"
      "                          then go to standard error)\n"
      "  -h, --help              print this help and exit\n"
      "  -V, --version           print the version and exit\n"
      "\n"
      "Values take a decimal point or comma; -- before a value that starts with - is\n"
      "not needed for numbers. Exit status: 0 when every row was computed, 1 when a\n"
      "value or row was refused, a file could not be read or output failed, 2 for a\n"
      "usage error.\n");
  return text;
}

std::string VersionText() {
  return std::string("vergleichsspannung ") + kVersion + "\n" +
         Translated(
             "Copyright (c) 2026 The vergleichsspannung authors. MIT License:\n"
             "free software, without warranty.\n");
}

std::string UsageErrorLine(std::string_view what) {
  return FillIn(Translated("%s; see vergleichsspannung --help"), {what});
}

}  // namespace vergleichsspannung
