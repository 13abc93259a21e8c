// The full form of the transport correlations through the state interface, for the Helmholtz-energy
// formulations: the states of IAPWS R12-08 Table 4 and R15-11 Table 4, reached through each formulation's
// own pressure at the releases' (T, rho); and R12-08 Table 5 and R15-11 Table 5 (647.35 K, with the critical
// enhancements and IAPWS-95's derivatives) with code 95, at the releases' (T, rho) and through StateOfTP.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <vector>

#include "state/formulation.h"
#include "state/properties.h"
#include "state/transport.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

// The SI codes of the formulations in the state interface that give the full form.
std::vector<FormulationCode> FullFormCodes() {
  std::vector<FormulationCode> codes;
  for (FormulationCode code : {-95, -84, -69}) {
    const state::Formulation* f = state::FormulationOf(code);
    if (f != nullptr && f->helmholtz_point != nullptr) codes.push_back(code);
  }
  return codes;
}

// The formulation's pressure (MPa) at T (K) and rho (kg/m3).
double PressureAt(const state::Formulation& f, double T, double rho) {
  return state::FromHelmholtz(f.helmholtz_point(T, rho / 1000.0)).P;
}

// IAPWS R12-08, Table 4 (mu with mu_bar2 = 1, uPa s) and R15-11, Table 4 (lambda with lambda_bar2 = 0,
// mW/(m K)); 0 where the table has no value at that state. R15-11's rows at zero density have no pressure to
// reach them by.
struct Table4Row {
  double T, rho;  // K, kg/m3
  double mu, lambda;
};
constexpr Table4Row kTable4[] = {
    {298.15, 998, 889.735100, 607.712868},
    {298.15, 1200, 1437.649467, 799.038144},
    {373.15, 1000, 307.883622, 0},
    {433.15, 1, 14.538324, 0},
    {433.15, 1000, 217.685358, 0},
    {873.15, 1, 32.619287, 0},
    {873.15, 100, 35.802262, 0},
    {873.15, 600, 77.430195, 0},
    {1173.15, 1, 44.217245, 0},
    {1173.15, 100, 47.640433, 0},
    {1173.15, 400, 64.154608, 0},
};

// Far from the critical point the full form's enhancements nearly vanish: in the compressed liquid
// Delta chi_bar is negative (mu_bar2 = 1, lambda_bar2 = 0 exactly), and elsewhere mu_bar2 exceeds 1 by
// at most 1.1e-8 at these states (KKHM 1969 at 873.15 K, 600 kg/m3): mu agrees with the table to its
// printed digits and that. The printed digits alone are reproduced at the releases' (T, rho) in
// tests/transport.
TEST(StateTransportFull, Table4StatesOfEveryHelmholtzFormulation) {
  const std::vector<FormulationCode> codes = FullFormCodes();
  ASSERT_FALSE(codes.empty());
  for (FormulationCode code : codes) {
    const state::Formulation& f = *state::FormulationOf(code);
    for (const Table4Row& r : kTable4) {
      SCOPED_TRACE(::testing::Message()
                   << "code " << code << ", R12-08 and R15-11 Tables 4, T=" << r.T << " rho=" << r.rho);
      const State s = StateOfTP(r.T, PressureAt(f, r.T, r.rho), code);
      EXPECT_TRUE(AgreesRelative(s.rho * 1000.0, r.rho, 1e-13));
      // KKHM 1969 at 1000 MPa (298.15 K, 1200 kg/m3), ten times its range, has cp and cv negative: no
      // enhancement there, which the table's values have none of anyway.
      EXPECT_EQ(s.transport, s.cp > 0.0 ? TransportForm::Full : TransportForm::None);
      EXPECT_NEAR(s.mu * 1e6, r.mu, 0.505e-6 + 2e-8 * r.mu);  // printed to 1e-6 uPa s
      if (r.lambda > 0.0) {
        EXPECT_TRUE(AgreesToDigits(s.lambda * 1e3, r.lambda, 9));
      }
    }
  }
}

// Where the formulation's own equation at T_R leaves its range of validity (KKHM 1969: 100 MPa, about
// 284 kg/m3 at T_R) the reference zeta(T_R) hands over to R15-11 Eq. 25; lambda moves by less than 1e-4 of
// itself there, mu by less than 1e-6.
TEST(StateTransportFull, ReferenceHandoverIsSmall) {
  const state::Formulation* f = state::FormulationOf(-69);
  ASSERT_NE(f, nullptr);
  double lo = 0.1, hi = 0.6;  // g/cm3, about the density where KKHM 1969 reaches 100 MPa at T_R
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    (PressureAt(*f, 970.644, mid * 1000.0) < 100.0 ? lo : hi) = mid;
  }
  for (double T : {650.0, 700.0, 800.0, 960.0}) {
    SCOPED_TRACE(::testing::Message() << "T=" << T);
    State below{};
    State above{};
    state::AddTransport(*f, state::FromHelmholtz(f->helmholtz_point(T, lo)), below);
    state::AddTransport(*f, state::FromHelmholtz(f->helmholtz_point(T, hi)), above);
    EXPECT_TRUE(AgreesRelative(above.lambda, below.lambda, 1e-4));
    EXPECT_TRUE(AgreesRelative(above.mu, below.mu, 1e-6));
  }
}

// IAPWS R12-08, Table 5 (mu, uPa s) and R15-11, Table 5 (lambda, mW/(m K)) at 647.35 K with the critical
// enhancements, cp, cv and (d rho / d p)_T from IAPWS-95; 0 where the table has no value at that density.
struct Table5Row {
  double rho;  // kg/m3
  double mu, lambda;
};
constexpr double kTable5Temperature = 647.35;  // K
constexpr Table5Row kTable5[] = {
    {1, 0, 51.9298924},           {122, 25.520677, 130.922885}, {222, 31.337589, 367.787459},
    {272, 36.228143, 757.959776}, {322, 42.961579, 1443.75556}, {372, 45.688204, 650.319402},
    {422, 49.436256, 448.883487}, {750, 0, 600.961346},
};

TEST(StateTransportFull, NearCriticalTablesWithIapws95) {
  const state::Formulation* f = state::FormulationOf(-95);
  if (f == nullptr || f->helmholtz_point == nullptr) {
    GTEST_SKIP() << "IAPWS-95 (code 95) is not yet in the state interface";
  }
  for (const Table5Row& r : kTable5) {
    SCOPED_TRACE(::testing::Message() << "R12-08 and R15-11 Tables 5, rho=" << r.rho);
    // At the releases' own (T, rho).
    const state::Properties p = state::FromHelmholtz(f->helmholtz_point(kTable5Temperature, r.rho / 1000.0));
    State at{};
    state::AddTransport(*f, p, at);
    EXPECT_EQ(at.transport, TransportForm::Full);
    if (r.mu > 0.0) {
      EXPECT_TRUE(AgreesToDigits(at.mu * 1e6, r.mu, 8));
    }
    EXPECT_TRUE(AgreesToDigits(at.lambda * 1e3, r.lambda, 9));
    // Through StateOfTP at the pressure IAPWS-95 gives there.
    const State s = StateOfTP(kTable5Temperature, p.P, -95);
    EXPECT_TRUE(AgreesRelative(s.rho * 1000.0, r.rho, 1e-11));
    if (r.mu > 0.0) {
      EXPECT_TRUE(AgreesToDigits(s.mu * 1e6, r.mu, 8));
    }
    EXPECT_TRUE(AgreesToDigits(s.lambda * 1e3, r.lambda, 9));
  }
}

}  // namespace
}  // namespace brimwater
