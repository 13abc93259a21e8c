// IAPWS-IF97: the B23 boundary and the choice of region for a state, and the state's v, h and s from the
// region's basic equation.
#include "if97/if97.h"

namespace brimwater::if97 {
namespace {

// Table 1, the B23 equation (Eq. 5).
constexpr double kB23N1 = 0.34805185628969e3;
constexpr double kB23N2 = -0.11671859879975e1;
constexpr double kB23N3 = 0.10192970039326e-2;

}  // namespace

double B23Pressure(double T) { return (kB23N3 * T + kB23N2) * T + kB23N1; }

namespace {

enum class Region { One, Two, Three };

// The region equation that evaluates a state, and the (T, P) it is evaluated at.
struct RegionChoice {
  Region region;
  double T, P;
};

RegionChoice ChooseRegion(double T, double P, StateSelector selector) {
  if (selector == StateSelector::SaturatedLiquid || selector == StateSelector::SaturatedVapour) {
    // Region 1 serves the saturated liquid and region 2 the saturated vapour up to the critical point; the
    // pressure argument is ignored.
    if (T > kCriticalTemperature) T = kCriticalTemperature;
    return {selector == StateSelector::SaturatedLiquid ? Region::One : Region::Two, T, SatPressure(T)};
  }
  // Below 623.15 K a pressure exactly on the saturation line gives the liquid; from 623.15 K on the B23
  // boundary separates region 3 from region 2. There is no upper limit and no region 5.
  if (T < kRegion3StartTemperature) return {P >= SatPressure(T) ? Region::One : Region::Two, T, P};
  return {P >= B23Pressure(T) ? Region::Three : Region::Two, T, P};
}

}  // namespace

void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One:
      v = Region1Volume(c.T, c.P);
      h = Region1Enthalpy(c.T, c.P);
      s = Region1Entropy(c.T, c.P);
      return;
    case Region::Two:
      v = Region2Volume(c.T, c.P);
      h = Region2Enthalpy(c.T, c.P);
      s = Region2Entropy(c.T, c.P);
      return;
    case Region::Three:
      v = Region3Volume(c.T, c.P);
      h = Region3Enthalpy(c.T, v);
      s = Region3Entropy(c.T, v);
      return;
  }
}

// The accessors give what StateOfTP gives, evaluating only the property they return.
double VolumeOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return 1000.0 * Region1Volume(c.T, c.P);
    case Region::Two: return 1000.0 * Region2Volume(c.T, c.P);
    case Region::Three: return 1000.0 * Region3Volume(c.T, c.P);
  }
  return 0.0;
}

double EnthalpyOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return Region1Enthalpy(c.T, c.P);
    case Region::Two: return Region2Enthalpy(c.T, c.P);
    case Region::Three: return Region3Enthalpy(c.T, Region3Volume(c.T, c.P));
  }
  return 0.0;
}

double EntropyOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return Region1Entropy(c.T, c.P);
    case Region::Two: return Region2Entropy(c.T, c.P);
    case Region::Three: return Region3Entropy(c.T, Region3Volume(c.T, c.P));
  }
  return 0.0;
}

}  // namespace brimwater::if97
