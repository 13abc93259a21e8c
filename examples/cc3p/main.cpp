// cc3p: three-pressure reheat combined-cycle plant. One traced case at ISO ambient with 43 MBTU/hr of duct
// firing, then sweeps of ambient pressure, ambient temperature and relative humidity, one line per case.
#include <cstdio>

#include "plant.h"

int main() {
  using brimwater::cc3p::PlantCase;
  using brimwater::cc3p::PlantResult;

  constexpr double kIsoPressure = 14.696;     // psia
  constexpr double kIsoTemperature = 60.0;    // degF
  constexpr double kIsoHumidity = 0.6;        // fraction
  constexpr double kCoolingWater = 60.0;      // degF
  constexpr double kDuctFiring = 43000000.0;  // BTU/hr

  std::printf("three-pressure combined cycle power plant model\n");
  PlantCase(kIsoPressure, kIsoTemperature, kIsoHumidity, kCoolingWater, kDuctFiring, true, stdout);

  // The sweep variables are accumulated, as a plant engineer steps a test rig.
  double P = 13.696;
  do {
    const PlantResult r =
        PlantCase(P, kIsoTemperature, kIsoHumidity, kCoolingWater, kDuctFiring, false, stdout);
    std::printf("%.3lf,%.0lf,%.0lf\n", P, r.total, r.heatRate);
    P += 0.1;
  } while (P < 15.697);

  double T = 0.0;
  do {
    const PlantResult r = PlantCase(kIsoPressure, T, kIsoHumidity, kCoolingWater, kDuctFiring, false, stdout);
    std::printf("%.0lf,%.0lf,%.0lf\n", T, r.total, r.heatRate);
    T += 5.0;
  } while (T < 121.0);

  double RH = 0.0;
  while (RH < 1.01) {
    const PlantResult r =
        PlantCase(kIsoPressure, kIsoTemperature, RH, kCoolingWater, kDuctFiring, false, stdout);
    std::printf("%.2lf,%.0lf,%.0lf\n", RH, r.total, r.heatRate);
    RH += 0.05;
  }
  return 0;
}
