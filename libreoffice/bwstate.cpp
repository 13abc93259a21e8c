#include "bwstate.h"

#include <cstddef>

namespace brimwater::calc {
namespace {

template <double State::*member>
double Read(const State& state) {
  return state.*member;
}

// Phase and status are worksheet numbers by their enumerators' values, which the state header fixes.
double Region(const State& state) { return state.region; }
double PhaseNumber(const State& state) { return static_cast<double>(state.phase); }
double StatusNumber(const State& state) { return static_cast<double>(state.status); }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

template <typename Entry, std::size_t N>
const Entry* FindByName(const std::array<Entry, N>& table, std::string_view name) {
  for (const Entry& entry : table) {
    if (SameIgnoringAsciiCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

}  // namespace

const std::array<StateProperty, 20> kStateProperties = {{
    {"T", Read<&State::T>},           {"P", Read<&State::P>},         {"v", Read<&State::v>},
    {"rho", Read<&State::rho>},       {"h", Read<&State::h>},         {"s", Read<&State::s>},
    {"u", Read<&State::u>},           {"cp", Read<&State::cp>},       {"cv", Read<&State::cv>},
    {"w", Read<&State::w>},           {"x", Read<&State::x>},         {"mu", Read<&State::mu>},
    {"lambda", Read<&State::lambda>}, {"sigma", Read<&State::sigma>}, {"nu", Read<&State::nu>},
    {"alpha", Read<&State::alpha>},   {"Pr", Read<&State::Pr>},       {"region", Region},
    {"phase", PhaseNumber},           {"status", StatusNumber},
}};

const std::array<StatePair, 6> kStatePairs = {{
    {"TP", StateOfTP},
    {"PH", StateOfPH},
    {"PS", StateOfPS},
    {"HS", StateOfHS},
    {"TX", StateOfTX},
    {"PX", StateOfPX},
}};

const StateProperty* FindStateProperty(std::string_view name) { return FindByName(kStateProperties, name); }

const StatePair* FindStatePair(std::string_view name) { return FindByName(kStatePairs, name); }

}  // namespace brimwater::calc
