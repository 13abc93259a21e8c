// Ranges of validity of R12-08 and R15-11: the stable fluid bounded below by the melting and sublimation
// curves of IAPWS R14-08(2011), and above by each release's temperature ceilings, which step down with
// pressure.
#include <cmath>
#include <cstddef>
#include <limits>

#include "transport/transport.h"

namespace brimwater::transport {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// R14-08: the triple point of ice Ih, liquid and vapour, and the ends of the melting curves (the triple
// points Ih-III-liquid, III-V-liquid, V-VI-liquid and VI-VII-liquid).
constexpr double kTripleTemperature = 273.16;   // K
constexpr double kTriplePressure = 611.657e-6;  // MPa
constexpr double kIceIIITemperature = 251.165;  // K
constexpr double kIceIIIPressure = 208.566;     // MPa
constexpr double kIceVTemperature = 256.164;    // K
constexpr double kIceVPressure = 350.100;       // MPa
constexpr double kIceVITemperature = 273.31;    // K
constexpr double kIceVIPressure = 632.400;      // MPa
constexpr double kIceVIITemperature = 355.0;    // K
constexpr double kIceVIIPressure = 2216.000;    // MPa
constexpr double kIceVIIEnd = 715.0;            // K, upper end of the ice VII melting curve
constexpr double kSublimationStart = 50.0;      // K, lower end of the sublimation curve

bool Within(double T, double lo, double hi) { return T >= lo && T <= hi; }

// A pressure ceiling and the highest temperature the release covers up to it.
struct Ceiling {
  double p;  // MPa
  double T;  // K
};

// R12-08, range of validity of Eq. 10.
constexpr Ceiling kViscosityCeilings[] = {
    {300.0, 1173.15}, {350.0, 873.15}, {500.0, 433.15}, {1000.0, 373.15}};
// R15-11, range of validity of the correlating equation.
constexpr Ceiling kConductivityCeilings[] = {
    {100.0, 1173.15}, {250.0, 874.0}, {687.0, 573.0}, {785.0, 403.0}, {1000.0, 348.0}};

template <std::size_t N>
bool BelowCeilings(double T, double p, const Ceiling (&ceilings)[N]) {
  for (const Ceiling& c : ceilings) {
    if (p <= c.p) return T <= c.T;
  }
  return false;
}

}  // namespace

double MeltingPressureIceIh(double T) {
  if (!Within(T, kIceIIITemperature, kTripleTemperature)) return kNaN;
  const double theta = T / kTripleTemperature;
  return kTriplePressure * (1.0 + 0.119539337e7 * (1.0 - std::pow(theta, 0.300000e1)) +
                            0.808183159e5 * (1.0 - std::pow(theta, 0.257500e2)) +
                            0.333826860e4 * (1.0 - std::pow(theta, 0.103750e3)));
}

double MeltingPressureIceIII(double T) {
  if (!Within(T, kIceIIITemperature, kIceVTemperature)) return kNaN;
  const double theta = T / kIceIIITemperature;
  return kIceIIIPressure * (1.0 - 0.299948 * (1.0 - std::pow(theta, 60.0)));
}

double MeltingPressureIceV(double T) {
  if (!Within(T, kIceVTemperature, kIceVITemperature)) return kNaN;
  const double theta = T / kIceVTemperature;
  return kIceVPressure * (1.0 - 1.18721 * (1.0 - std::pow(theta, 8.0)));
}

double MeltingPressureIceVI(double T) {
  if (!Within(T, kIceVITemperature, kIceVIITemperature)) return kNaN;
  const double theta = T / kIceVITemperature;
  return kIceVIPressure * (1.0 - 1.07476 * (1.0 - std::pow(theta, 4.6)));
}

double MeltingPressureIceVII(double T) {
  if (!Within(T, kIceVIITemperature, kIceVIIEnd)) return kNaN;
  const double theta = T / kIceVIITemperature;
  return kIceVIIPressure *
         std::exp(1.73683 * (1.0 - 1.0 / theta) - 0.544606e-1 * (1.0 - std::pow(theta, 5.0)) +
                  0.806106e-7 * (1.0 - std::pow(theta, 22.0)));
}

double SublimationPressure(double T) {
  if (!Within(T, kSublimationStart, kTripleTemperature)) return kNaN;
  const double theta = T / kTripleTemperature;
  return kTriplePressure * std::exp((-0.212144006e2 * std::pow(theta, 0.333333333e-2) +
                                     0.273203819e2 * std::pow(theta, 0.120666667e1) -
                                     0.610598130e1 * std::pow(theta, 0.170333333e1)) /
                                    theta);
}

bool IsStableFluid(double T, double p) {
  if (!std::isfinite(T) || !std::isfinite(p) || !(p > 0.0)) return false;
  // From the triple point up, the melting curves (ice V, VI, VII) lie above the ice III-V-liquid triple
  // point's pressure: the states of engineering need no curve evaluated.
  if (T >= kTripleTemperature && p <= kIceVPressure) return true;
  if (p < kTriplePressure) {
    // Vapour: at or above the sublimation temperature of p.
    return T >= kTripleTemperature || (T >= kSublimationStart && p <= SublimationPressure(T));
  }
  // Liquid: above the melting curve of whichever ice borders the liquid at T.
  if (T < kIceIIITemperature) return false;
  if (T < kTripleTemperature) {
    const double upper = T <= kIceVTemperature ? MeltingPressureIceIII(T) : MeltingPressureIceV(T);
    return p >= MeltingPressureIceIh(T) && p <= upper;
  }
  if (T <= kIceVITemperature) return p <= MeltingPressureIceV(T);
  if (T <= kIceVIITemperature) return p <= MeltingPressureIceVI(T);
  if (T <= kIceVIIEnd) return p <= MeltingPressureIceVII(T);
  return true;
}

bool ViscosityInRange(double T, double p) {
  return IsStableFluid(T, p) && BelowCeilings(T, p, kViscosityCeilings);
}

bool ConductivityInRange(double T, double p) {
  return IsStableFluid(T, p) && BelowCeilings(T, p, kConductivityCeilings);
}

}  // namespace brimwater::transport
