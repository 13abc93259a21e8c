// The property relations checked against the definitions they come from, for every formulation on a grid of
// single-phase states away from the critical point and the saturation line: cp = (dh/dT)_P,
// cv = (du/dT)_v and w^2 = (dP/drho)_s, each formed from central differences of StateOfTP results, to 1e-6
// relative. A wrong sign, factor or second derivative in a kernel or in the relations shows here.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/precision.h"

namespace brimwater {
namespace {

struct Point {
  double T, P;  // K, MPa
};

// Liquid, vapour, dense supercritical and (IAPWS-IF97) region 3 and 5 states.
constexpr Point kGrid[] = {{300, 0.1}, {300, 50}, {450, 5},  {550, 20}, {400, 0.05}, {600, 1},
                           {800, 10},  {700, 30}, {900, 60}, {650, 40}, {750, 25},   {1000, 0.5}};

struct Code {
  FormulationCode code;
  double highest_T;  // K, the grid above it is skipped
};

constexpr Code kCodes[] = {{-97, 2273.15}, {-95, 2273.15}, {-84, 2500.0}, {-69, 1573.15}, {-67, 1073.15}};

// Central difference of a StateOfTP field along T or P, with relative step 3e-5: wide enough that the last
// bits of a density solved from the pressure (a Helmholtz-energy formulation's, about 1e-15 of a liquid's)
// stay well below 1e-6 of the differences, and narrow enough that the truncation error does too.
template <typename Field>
double Derivative(Field field, double T, double P, bool along_T, FormulationCode code) {
  const double step = 3e-5 * (along_T ? T : P);
  const double up = along_T ? field(StateOfTP(T + step, P, code)) : field(StateOfTP(T, P + step, code));
  const double down = along_T ? field(StateOfTP(T - step, P, code)) : field(StateOfTP(T, P - step, code));
  return (up - down) / (2.0 * step);
}

TEST(StateRelations, HeatCapacitiesAndSpeedOfSoundAgreeWithTheirDefinitions) {
  for (const Code& c : kCodes) {
    for (const Point& p : kGrid) {
      if (p.T > c.highest_T) continue;
      SCOPED_TRACE(::testing::Message() << "code " << c.code << " T=" << p.T << " P=" << p.P);
      const State s = StateOfTP(p.T, p.P, c.code);
      ASSERT_TRUE(std::isfinite(s.h));
      const auto h = [](const State& x) { return x.h; };
      const auto u = [](const State& x) { return x.u; };
      const auto v = [](const State& x) { return x.v; };
      const auto rho = [](const State& x) { return x.rho; };
      const auto entropy = [](const State& x) { return x.s; };
      const double u_T = Derivative(u, p.T, p.P, true, c.code);
      const double u_P = Derivative(u, p.T, p.P, false, c.code);
      const double v_T = Derivative(v, p.T, p.P, true, c.code);
      const double v_P = Derivative(v, p.T, p.P, false, c.code);
      // (du/dT)_v = (du/dT)_P + (du/dP)_T (dP/dT)_v, (dP/dT)_v = -(dv/dT)_P / (dv/dP)_T.
      const double cv = u_T - u_P * v_T / v_P;
      // (drho/dP)_s = (drho/dP)_T + (drho/dT)_P (dT/dP)_s, (dT/dP)_s = -(ds/dP)_T / (ds/dT)_P.
      const double rho_P = Derivative(rho, p.T, p.P, false, c.code);
      const double rho_T = Derivative(rho, p.T, p.P, true, c.code);
      const double s_T = Derivative(entropy, p.T, p.P, true, c.code);
      const double s_P = Derivative(entropy, p.T, p.P, false, c.code);
      const double drho_dP_s = rho_P - rho_T * s_P / s_T;  // (g/cm3)/MPa
      const double w = std::sqrt(1000.0 / drho_dP_s);
      EXPECT_TRUE(testing::AgreesRelative(s.cp, Derivative(h, p.T, p.P, true, c.code), 1e-6)) << "cp";
      EXPECT_TRUE(testing::AgreesRelative(s.cv, cv, 1e-6)) << "cv";
      EXPECT_TRUE(testing::AgreesRelative(s.w, w, 1e-6)) << "w";
    }
  }
}

}  // namespace
}  // namespace brimwater
