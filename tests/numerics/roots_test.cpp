// The ground-floor solvers on equations whose answers are known in closed form or by their defining
// conditions: the van der Waals equation in reduced variables (p = 8 T rho / (3 - rho) - 3 rho^2), whose
// isotherms below the critical temperature have a liquid, an unstable and a vapour branch.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/bracketed_newton.h"
#include "numerics/branch_root.h"
#include "numerics/phase_equilibrium.h"

namespace brimwater::numerics {
namespace {

// The reduced van der Waals fluid's Helmholtz energy: a = (8 T / 3) ln(rho / (3 - rho)) - 3 rho, plus a
// function of T alone that no phase equilibrium sees (taken as zero; a_TT is not needed).
HelmholtzPoint VanDerWaals(double T, double rho) {
  const double log_term = std::log(rho / (3.0 - rho));
  const double a = 8.0 * T / 3.0 * log_term - 3.0 * rho;
  const double a_rho = 8.0 * T / 3.0 * (1.0 / (3.0 - rho) + 1.0 / rho) - 3.0;
  const double a_rhorho = 8.0 * T / 3.0 * (1.0 / ((3.0 - rho) * (3.0 - rho)) - 1.0 / (rho * rho));
  const double a_Trho = 8.0 / 3.0 * (1.0 / (3.0 - rho) + 1.0 / rho);
  return {T, rho, a, 8.0 / 3.0 * log_term, a_rho, 0.0, a_Trho, a_rhorho};
}

double Pressure(double T, double rho) { return 8.0 * T * rho / (3.0 - rho) - 3.0 * rho * rho; }

ValueSlope PressureResidual(double T, double rho, double P) {
  return {Pressure(T, rho) - P, 8.0 * T * 3.0 / ((3.0 - rho) * (3.0 - rho)) - 6.0 * rho};
}

TEST(BranchRoot, FindsTheRootOnTheBranchItStartsFromAndNoOther) {
  // At T = 0.9 and P = 0.6 the isotherm has three roots; each branch's search must find its own.
  const double T = 0.9, P = 0.6;
  const auto f = [&](double rho) { return PressureResidual(T, rho, P); };
  const double liquid = BranchRoot(f, 2.9, Approach::FromAbove, 1.01);
  const double vapour = BranchRoot(f, 0.01, Approach::FromBelow, 0.5);
  EXPECT_NEAR(Pressure(T, liquid), P, 1e-14);
  EXPECT_NEAR(Pressure(T, vapour), P, 1e-14);
  EXPECT_GT(liquid, 1.5);
  EXPECT_LT(vapour, 0.6);
  EXPECT_GT(f(liquid).slope, 0.0);
  EXPECT_GT(f(vapour).slope, 0.0);
  // Below the liquid spinodal's pressure the liquid branch (above the critical density 1) has no root: NaN,
  // not another branch's root.
  const auto low = [&](double rho) { return PressureResidual(T, rho, 0.2); };
  EXPECT_TRUE(std::isnan(BranchRoot(low, 2.9, Approach::FromAbove, 1.01, 1.0)));
}

TEST(BranchRoot, StopsWithinTheNoiseOfTheFunctionInAFewSteps) {
  // A pressure computed in floating point is the exact one plus noise of a few ulps of its terms. Modelled
  // here on the liquid branch at T = 0.9, P = 0.6 (slope about 2.3 there): the root must come out within the
  // noise (amplitude / slope) of the exact one, in few evaluations, from starts below the root from which
  // Newton overshoots and then steps in the noise.
  const double T = 0.9, P = 0.6;
  const double exact =
      BranchRoot([&](double rho) { return PressureResidual(T, rho, P); }, 2.9, Approach::FromAbove, 1.01);
  ASSERT_NEAR(Pressure(T, exact), P, 1e-14);
  for (double amplitude : {1e-14, 1e-13, 1e-12}) {
    for (double start : {1.62, 1.63, 1.6324}) {
      SCOPED_TRACE(::testing::Message() << "noise " << amplitude << " start " << start);
      int evaluations = 0;
      const auto noisy = [&](double rho) {
        ++evaluations;
        ValueSlope f = PressureResidual(T, rho, P);
        f.value += amplitude * std::sin(1e16 * rho);
        return f;
      };
      const double root = BranchRoot(noisy, start, Approach::FromBelow, 0.99);
      EXPECT_NEAR(root, exact, 4.0 * amplitude / noisy(exact).slope);
      EXPECT_LE(evaluations, 16);
    }
  }
}

TEST(BracketedNewton, ReportsARootBeyondTheIntervalAtItsEnd) {
  const auto rising = [](double x) { return ValueSlope{x * x * x - 8.0, 3.0 * x * x}; };
  ValueSlope fx = rising(1.0);
  EXPECT_NEAR(BracketedNewton(rising, {0.5, 10.0}, 1.0, fx, 1e-15), 2.0, 1e-15);
  fx = rising(1.0);
  const double end = BracketedNewton(rising, {0.5, 1.5}, 1.0, fx, 1e-15);
  EXPECT_EQ(end, 1.5);
  EXPECT_LT(fx.value, 0.0);
}

TEST(PhaseEquilibrium, EqualPressureAndGibbsEnergyOnTheVanDerWaalsIsotherms) {
  struct Start {
    double T, liquid, vapour;
  };
  for (const Start& s : {Start{0.5, 2.6, 0.02}, Start{0.8, 2.0, 0.2}, Start{0.9, 2.0, 0.2},
                         Start{0.99, 2.0, 0.2}, Start{0.999, 2.0, 0.2}}) {
    const double T = s.T;
    SCOPED_TRACE(T);
    const auto point = [&](double rho) { return VanDerWaals(T, rho); };
    const Coexistence c = PhaseEquilibrium(point, s.liquid, s.vapour);
    ASSERT_TRUE(c.converged);
    const HelmholtzPoint l = point(c.rho_liquid);
    const HelmholtzPoint v = point(c.rho_vapour);
    const double pl = l.rho * l.rho * l.a_rho, pv = v.rho * v.rho * v.a_rho;
    EXPECT_NEAR(pl, pv, 1e-12);
    EXPECT_NEAR(l.a + pl / l.rho, v.a + pv / v.rho, 1e-12);
    EXPECT_GT(c.rho_liquid, 1.0);
    EXPECT_LT(c.rho_vapour, 1.0);
  }
  // At T = 0.9 the van der Waals vapour pressure is 0.64700 (reduced), a classic value of the Maxwell
  // construction.
  const Coexistence c = PhaseEquilibrium([](double rho) { return VanDerWaals(0.9, rho); }, 2.0, 0.2);
  EXPECT_NEAR(c.P, 0.64700, 5e-5);
  // The points returned are the equation at the returned densities.
  EXPECT_EQ(c.liquid.rho, c.rho_liquid);
  EXPECT_EQ(c.vapour.rho, c.rho_vapour);
  EXPECT_EQ(c.vapour.a_rho, VanDerWaals(0.9, c.rho_vapour).a_rho);
}

TEST(PhaseEquilibrium, StartsInsideTheLoopMoveOutToTheirBranches) {
  // At T = 0.9 the spinodals lie near rho = 0.63 and 1.44; starts between them (where p falls with density)
  // move outward first, and a start that brings both densities together fails rather than meeting.
  const auto point = [](double rho) { return VanDerWaals(0.9, rho); };
  const Coexistence reference = PhaseEquilibrium(point, 2.0, 0.2);
  struct Start {
    double liquid, vapour;
  };
  for (const Start& s : {Start{1.3, 0.8}, Start{1.4, 0.7}, Start{2.0, 0.9}}) {
    SCOPED_TRACE(::testing::Message() << s.liquid << " " << s.vapour);
    const Coexistence c = PhaseEquilibrium(point, s.liquid, s.vapour);
    ASSERT_TRUE(c.converged);
    EXPECT_NEAR(c.rho_liquid, reference.rho_liquid, 1e-12);
    EXPECT_NEAR(c.rho_vapour, reference.rho_vapour, 1e-12);
  }
  EXPECT_FALSE(PhaseEquilibrium(point, 0.5, 0.5).converged);
  EXPECT_FALSE(PhaseEquilibrium(point, 0.2, 2.0).converged);
}

TEST(SaturationOfPressure, FindsTheTemperatureWhoseEquilibriumHasThePressure) {
  // The equilibria at T = 0.8, 0.9 and 0.99 give their pressures; from those pressures and a start 1 % to 2 %
  // off in T, with the densities of a neighbouring isotherm, the temperature and densities come back.
  const auto isotherm = [](double T) { return [T](double rho) { return VanDerWaals(T, rho); }; };
  for (double T : {0.8, 0.9, 0.99}) {
    SCOPED_TRACE(T);
    const Coexistence c = PhaseEquilibrium(isotherm(T), 2.0, 0.2);
    ASSERT_TRUE(c.converged);
    const double start = T < 0.95 ? T * 1.02 : T * 0.99;
    const Coexistence near = PhaseEquilibrium(isotherm(start), 2.0, 0.2);
    const SaturationAtPressure s =
        SaturationOfPressure(isotherm, c.P, start, 1.0, near.rho_liquid, near.rho_vapour);
    ASSERT_TRUE(s.phases.converged);
    EXPECT_NEAR(s.T, T, 1e-13);
    EXPECT_NEAR(s.phases.rho_liquid, c.rho_liquid, 1e-11);
    EXPECT_NEAR(s.phases.rho_vapour, c.rho_vapour, 1e-11);
    EXPECT_NEAR(s.phases.P, c.P, 1e-14);
  }
  // No temperature below the critical one has a pressure above the critical pressure (1).
  const SaturationAtPressure above = SaturationOfPressure(isotherm, 1.2, 0.95, 1.0, 1.5, 0.5);
  EXPECT_FALSE(above.phases.converged && above.T < 1.0 && std::fabs(above.phases.P - 1.2) < 1e-9);
}

}  // namespace
}  // namespace brimwater::numerics
