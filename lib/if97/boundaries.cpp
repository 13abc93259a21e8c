// IAPWS-IF97's own region boundaries and range of validity (IAPWS R7-97(2012), Fig. 1 and Section 4), as the
// state interface uses them: regions 1, 2, 3 and 5 split by the saturation curve (Eq. 30) below 623.15 K, by
// the B23 equation (Eq. 5) from 623.15 K to 863.15 K and by 1073.15 K between regions 2 and 5. (The fifteen
// functions keep their historical choice, in which region 2 serves every temperature above 863.15 K.)
#include "if97/if97.h"

namespace brimwater::if97 {

namespace {
constexpr double kB23HighTemperature = 863.15;      // K, where the B23 line reaches 100 MPa
constexpr double kRegion5LowTemperature = 1073.15;  // K
}  // namespace

RegionOfState RegionOfTP(double T, double P) {
  if (T < kCriticalTemperature) {
    const bool liquid = P >= Region4Pressure(T);
    if (T <= kRegion3StartTemperature) return {liquid ? 1 : 2, liquid};
    return {P >= B23Pressure(T) ? 3 : 2, liquid};
  }
  if (T <= kB23HighTemperature && P >= B23Pressure(T)) return {3, false};
  return {T <= kRegion5LowTemperature ? 2 : 5, false};
}

bool InRangeOfValidity(double T, double P) {
  if (!(P > 0.0) || !(T >= kLowestTemperature)) return false;
  if (T <= kRegion5LowTemperature) return P <= kHighestPressure;
  return T <= kHighestTemperature && P <= kRegion5HighestPressure;
}

}  // namespace brimwater::if97
