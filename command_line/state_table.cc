#include "command_line/state_table.h"

#include <cassert>

namespace vergleichsspannung {

namespace {

struct StateName {
  const char* name;
  StressState state;
};

// English, German as typed without umlauts and with them, and the dialogue's
// number, as the state prompt reads it.
constexpr StateName kStateNames[] = {
    {"spatial", StressState::Spatial},
    {"raeumlich", StressState::Spatial},
    {"r\xc3\xa4umlich", StressState::Spatial},
    {"1", StressState::Spatial},
    {"plane", StressState::Plane},
    {"scheibe", StressState::Plane},
    {"2", StressState::Plane},
    {"axisymmetric", StressState::Axisymmetric},
    {"axialsym", StressState::Axisymmetric},
    {"axialsymmetrisch", StressState::Axisymmetric},
    {"3", StressState::Axisymmetric},
    {"plate", StressState::Plate},
    {"platte", StressState::Plate},
    {"4", StressState::Plate},
};

// Returns true when `a` and `b` are equal but for the case of ASCII letters
// (the Ä of "RÄUMLICH" is not folded; "räumlich" is what a German types).
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool StateByName(std::string_view name, StressState* state) {
  for (const StateName& known : kStateNames) {
    if (SameIgnoringCase(name, known.name)) {
      *state = known.state;
      return true;
    }
  }
  return false;
}

bool HypothesisByName(std::string_view name, Hypothesis* hypothesis) {
  for (int h = kFirstHypothesis; h <= kLastHypothesis; ++h) {
    if (SameIgnoringCase(name, HypothesisName(static_cast<Hypothesis>(h))) ||
        (name.size() == 1 && name[0] == static_cast<char>('0' + h))) {
      *hypothesis = static_cast<Hypothesis>(h);
      return true;
    }
  }
  return false;
}

}  // namespace vergleichsspannung
