// What BWSTATE offers: the names of the properties of a state, as the calculator's state command keys them
// in JSON, and the input pairs of the state interface. Plain data, free of UNO types.
#ifndef BRIMWATER_LIBREOFFICE_BWSTATE_H
#define BRIMWATER_LIBREOFFICE_BWSTATE_H

#include <brimwater/state.h>

#include <array>
#include <string_view>

namespace brimwater::calc {

struct StateProperty {
  std::string_view name;
  double (*read)(const State&);  // the property as a cell shows it: NaN where the state has none
};

struct StatePair {
  std::string_view name;
  State (*solve)(double a, double b, FormulationCode formulation);
};

// T, P, v, rho, h, s, u, cp, cv, w, x, the transport properties mu, lambda, sigma, nu, alpha, Pr, and the
// state's region, phase and status as numbers.
extern const std::array<StateProperty, 20> kStateProperties;
// TP, PH, PS, HS, TX, PX: the arguments a and b in the order of the name.
extern const std::array<StatePair, 6> kStatePairs;

// The property or pair of that name in any case of its ASCII letters ("CP", "cp" and "Cp" are cp; "PR" is
// the Prandtl number, "P" the pressure), or nullptr.
const StateProperty* FindStateProperty(std::string_view name);
const StatePair* FindStatePair(std::string_view name);

}  // namespace brimwater::calc

#endif  // BRIMWATER_LIBREOFFICE_BWSTATE_H
