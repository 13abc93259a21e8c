// Viscosity and thermal conductivity of one state: the choice of enhancement, the derivative bounds, the
// derived properties and bad input.
#include "transport/transport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/precision.h"

namespace brimwater::transport {
namespace {

using brimwater::testing::AgreesRelative;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A near-critical state, T = 647.35 K and rho = 322 kg/m3 (R12-08 Table 5, R15-11 Table 5), with
// thermodynamic inputs of the right size for it; the checks below compare forms with one another.
constexpr TransportInput kNearCritical{647.35, 0.322, 30.0, 4.0, 0.25, 0.02};

TEST(Transport, ScientificFormUsesOneCorrelationLengthForBoth) {
  const TransportProperties t = TransportOf(kNearCritical, {Enhancement::kScientific, false});
  ASSERT_EQ(t.enhancement, Enhancement::kScientific);
  const double xi = CorrelationLength(647.35, 0.322, 0.25, 0.02);
  EXPECT_EQ(t.xi, xi);
  EXPECT_TRUE(AgreesRelative(t.mu, IndustrialViscosity(647.35, 0.322) * MuBar2(xi), 1e-15));
  // lambda_bar2 divides by the viscosity with its own enhancement (R15-11 Table 5 is reproduced only so).
  const double lambda_bar2 =
      LambdaBar2(647.35 / kReferenceTemperature, 1.0, 30.0 / kGasConstant, 30.0 / 4.0, t.mu * 1e6, xi);
  EXPECT_TRUE(AgreesRelative(t.lambda, BackgroundConductivity(647.35, 0.322) + lambda_bar2 * 1e-3, 1e-15));
}

TEST(Transport, IndustrialFormTakesTheReferenceOfEquation25AndNoViscosityEnhancement) {
  TransportInput input = kNearCritical;
  input.drho_dp_T_at_TR = kNaN;  // not read by the industrial form
  const TransportProperties t = TransportOf(input, {Enhancement::kIndustrial, false});
  ASSERT_EQ(t.enhancement, Enhancement::kIndustrial);
  const double zeta_R = IndustrialZetaAtTR(1.0);
  EXPECT_EQ(t.xi, CorrelationLengthBar(647.35 / kReferenceTemperature, 1.0, 0.25 * 22.064 / 0.322, zeta_R));
  EXPECT_EQ(t.mu_bar2, 1.0);
  EXPECT_EQ(t.mu, IndustrialViscosity(647.35, 0.322));
  EXPECT_GT(t.lambda_bar2, 0.0);
}

TEST(Transport, MissingDerivativeLeavesTheEnhancementOutAndSaysSo) {
  struct Row {
    const char* what;
    TransportInput input;
    Enhancement asked, used;
  };
  const Row rows[] = {
      {"none asked", kNearCritical, Enhancement::kNone, Enhancement::kNone},
      {"no derivative at T_R",
       {647.35, 0.322, 30.0, 4.0, 0.25, kNaN},
       Enhancement::kScientific,
       Enhancement::kNone},
      {"no cv", {647.35, 0.322, 30.0, kNaN, 0.25, 0.02}, Enhancement::kScientific, Enhancement::kNone},
      {"no cp", {647.35, 0.322, kNaN, 4.0, 0.25, 0.02}, Enhancement::kIndustrial, Enhancement::kNone},
      {"no (d rho / d p)_T",
       {647.35, 0.322, 30.0, 4.0, kNaN, 0.02},
       Enhancement::kIndustrial,
       Enhancement::kNone},
  };
  const double background = BackgroundConductivity(647.35, 0.322);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const TransportProperties t = TransportOf(r.input, {r.asked, false});
    EXPECT_EQ(t.enhancement, r.used);
    EXPECT_EQ(t.mu, IndustrialViscosity(647.35, 0.322));
    EXPECT_EQ(t.lambda, background);
  }
}

TEST(Transport, BoundedDerivativesKeepTheCriticalPointFinite) {
  // At the critical point cp and (d rho / d p)_T are infinite.
  const TransportInput critical{647.096, 0.322, kInf, 6.0, kInf, 0.02};
  const TransportProperties unbounded = TransportOf(critical, {Enhancement::kIndustrial, false});
  EXPECT_TRUE(std::isnan(unbounded.lambda));
  const TransportProperties bounded = TransportOf(critical, {Enhancement::kIndustrial, true});
  EXPECT_TRUE(std::isfinite(bounded.lambda));
  EXPECT_GT(bounded.lambda, BackgroundConductivity(647.096, 0.322));
  // A negative derivative (an unstable state of an approximate equation) counts as the ceiling, 1e13.
  const TransportInput negative{647.096, 0.322, 1e13 * kGasConstant, 6.0, -1.0, 0.02};
  const TransportInput ceiling{647.096, 0.322, 1e13 * kGasConstant, 6.0, 1e13 * 0.322 / 22.064, 0.02};
  EXPECT_TRUE(AgreesRelative(TransportOf(negative, {Enhancement::kIndustrial, true}).lambda,
                             TransportOf(ceiling, {Enhancement::kIndustrial, true}).lambda, 1e-14));
  // Away from the critical point the bounds change nothing.
  EXPECT_EQ(TransportOf(kNearCritical, {Enhancement::kIndustrial, true}).lambda,
            TransportOf(kNearCritical, {Enhancement::kIndustrial, false}).lambda);
}

TEST(Transport, DiluteGasLimitIsAState) {
  // rho = 0, which R15-11 Table 4 verifies; (d rho / d p)_T = 1 / (R T) of the ideal gas, and no enhancement
  // (Delta chi_bar = 0).
  const double ideal = 1.0 / (kGasConstant * 298.15);
  const TransportProperties t = TransportOf({298.15, 0.0, 1.86, 1.40, ideal, ideal});
  EXPECT_EQ(t.enhancement, Enhancement::kScientific);
  EXPECT_EQ(t.xi, 0.0);
  EXPECT_EQ(t.mu, IndustrialViscosity(298.15, 0.0));
  EXPECT_EQ(t.lambda, BackgroundConductivity(298.15, 0.0));
}

TEST(Transport, BadInputGivesNaN) {
  const double bad_T[] = {kNaN, kInf, -kInf, 0.0, -300.0};
  const double bad_rho[] = {kNaN, kInf, -kInf, -0.5};
  for (double T : bad_T) {
    SCOPED_TRACE(::testing::Message() << "T = " << T);
    const TransportProperties t = TransportOf({T, 0.5, 4.0, 3.0, 0.01, 0.001});
    EXPECT_TRUE(std::isnan(t.mu));
    EXPECT_TRUE(std::isnan(t.lambda));
    EXPECT_TRUE(std::isnan(IndustrialViscosity(T, 0.5)));
    EXPECT_TRUE(std::isnan(BackgroundConductivity(T, 0.5)));
    EXPECT_TRUE(std::isnan(CorrelationLength(T, 0.5, 0.01, 0.001)));
  }
  for (double rho : bad_rho) {
    SCOPED_TRACE(::testing::Message() << "rho = " << rho);
    const TransportProperties t = TransportOf({500.0, rho, 4.0, 3.0, 0.01, 0.001});
    EXPECT_TRUE(std::isnan(t.mu));
    EXPECT_TRUE(std::isnan(t.lambda));
    EXPECT_TRUE(std::isnan(IndustrialViscosity(500.0, rho)));
    EXPECT_TRUE(std::isnan(BackgroundConductivity(500.0, rho)));
  }
  // A temperature so small that 1 / T_bar overflows the sums: NaN, not infinity.
  EXPECT_TRUE(std::isnan(IndustrialViscosity(1e-300, 1.0)));
  EXPECT_TRUE(std::isnan(MuBar2(-1.0)));
  EXPECT_TRUE(std::isnan(MuBar2(kInf)));
}

// Hostile values in every input, one at a time and all at once, under every form: the results are finite or
// NaN, never infinite, and every call returns.
TEST(Transport, HostileInputsGiveFiniteOrNaN) {
  const double hostile[] = {kNaN, kInf, -kInf, 0.0, -0.0, 4.9e-324, -4.9e-324, 1e-300, 1e300, -1e300, 1.0};
  const TransportOptions forms[] = {{Enhancement::kNone, false},
                                    {Enhancement::kIndustrial, false},
                                    {Enhancement::kIndustrial, true},
                                    {Enhancement::kScientific, false},
                                    {Enhancement::kScientific, true}};
  auto finite_or_nan = [](double x) { return std::isfinite(x) || std::isnan(x); };
  for (const TransportOptions& form : forms) {
    for (int field = 0; field <= 6; ++field) {
      for (double h : hostile) {
        TransportInput in = kNearCritical;
        double* fields[] = {&in.T, &in.rho, &in.cp, &in.cv, &in.drho_dp_T, &in.drho_dp_T_at_TR};
        if (field < 6) {
          *fields[field] = h;
        } else {
          for (double* f : fields) *f = h;
        }
        const TransportProperties t = TransportOf(in, form);
        EXPECT_TRUE(finite_or_nan(t.mu)) << "field " << field << " = " << h;
        EXPECT_TRUE(finite_or_nan(t.lambda)) << "field " << field << " = " << h;
      }
    }
  }
  for (double h : hostile) {
    EXPECT_TRUE(finite_or_nan(SurfaceTension(h)));
    EXPECT_TRUE(finite_or_nan(MuBar2(h)));
    EXPECT_TRUE(finite_or_nan(IndustrialZetaAtTR(h)));
    EXPECT_TRUE(finite_or_nan(KinematicViscosity(1e-5, h)));
    EXPECT_TRUE(finite_or_nan(PrandtlNumber(1e-5, 4.0, h)));
    EXPECT_FALSE(ViscosityInRange(h, kNaN));
    // At 300 K the fluid reaches up to the melting pressure of ice VI, 996 MPa.
    EXPECT_EQ(ConductivityInRange(300.0, h), h > 0.0 && h <= 996.0) << "p = " << h;
  }
}

TEST(Transport, DerivedProperties) {
  // The units: liquid water at 298.15 K, 998 kg/m3, with mu = 889.7351 uPa s (R12-08 Table 4), lambda =
  // 0.607712868 W/(m K) (R15-11 Table 4) and cp = 4.18 kJ/(kg K); the expected values worked by hand in SI
  // (nu = mu / rho, alpha = lambda / (rho cp), Pr = mu cp / lambda).
  EXPECT_TRUE(AgreesRelative(KinematicViscosity(889.7351e-6, 0.998), 8.9151813627e-7, 1e-9));
  EXPECT_TRUE(AgreesRelative(ThermalDiffusivity(0.607712868, 0.998, 4.18), 1.4567720800e-7, 1e-9));
  EXPECT_TRUE(AgreesRelative(PrandtlNumber(889.7351e-6, 4.18, 0.607712868), 6.1198189373, 1e-9));
  EXPECT_TRUE(std::isnan(KinematicViscosity(1e-5, 0.0)));
  EXPECT_TRUE(std::isnan(ThermalDiffusivity(0.1, 0.5, 0.0)));
  EXPECT_TRUE(std::isnan(PrandtlNumber(1e-5, 4.0, 0.0)));
  EXPECT_TRUE(std::isnan(PrandtlNumber(1e-5, -4.0, 0.6)));  // IAPWS-IF97's cp at its critical point
  EXPECT_TRUE(std::isnan(PrandtlNumber(kNaN, 4.0, 0.6)));
}

}  // namespace
}  // namespace brimwater::transport
