// The shared density secant on analytic isotherms: an ideal gas, whose pressure is linear in density, and the
// van der Waals fluid in reduced units (critical point at rho = 1, T = 1, p = 1), whose subcritical isotherm
// has a vapour branch, an unstable loop and a liquid branch.
#include "numerics/density_secant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/precision.h"

namespace brimwater::numerics {
namespace {

using brimwater::testing::AgreesRelative;

struct IdealGas {
  double rt;
  double operator()(double rho) const { return rho * rt; }
};

struct VanDerWaals {
  double t;  // reduced temperature
  double operator()(double rho) const { return 8.0 * rho * t / (3.0 - rho) - 3.0 * rho * rho; }
};

// The density of the van der Waals isotherm's extremum between lo and hi (a maximum when `maximum`).
double Extremum(const VanDerWaals& p, double lo, double hi, bool maximum) {
  for (int i = 0; i < 200; ++i) {
    const double a = lo + (hi - lo) / 3.0;
    const double b = hi - (hi - lo) / 3.0;
    if ((p(a) < p(b)) == maximum) {
      lo = a;
    } else {
      hi = b;
    }
  }
  return 0.5 * (lo + hi);
}

DensitySearch Search(Branch branch, bool bounded = false, double bound = 0.0, bool floor = false) {
  DensitySearch s;
  s.branch = branch;
  s.bounded = bounded;
  s.bound = bound;
  s.floor = floor;
  s.divide = 1.0;
  return s;
}

TEST(DensitySecant, LinearIsothermConvergesOnTheFirstNewDensity) {
  const IdealGas p{2.0};
  SecantTrace trace;
  const double rho = DensitySecant(p, 0.5, 0.3, 0.3 / 1.1, Search(Branch::Vapour), &trace);
  EXPECT_TRUE(AgreesRelative(rho, 0.25, 1e-14));
  EXPECT_EQ(trace.new_densities, 1);
  EXPECT_TRUE(trace.converged);
  EXPECT_FALSE(trace.bracketed);
}

TEST(DensitySecant, FindsTheRootOnTheBranchAsked) {
  const VanDerWaals p{0.9};
  const double target = 0.6;  // between the spinodal pressures of the 0.9 isotherm
  struct Row {
    Branch branch;
    double rho1, rho2;
  };
  const Row rows[] = {
      {Branch::Vapour, 0.3, 0.3 / 1.1},
      {Branch::Vapour, 0.9, 0.8},  // starts in the loop
      {Branch::Liquid, 1.9, 1.9 * 1.01},
      {Branch::Liquid, 1.2, 1.3},  // starts in the loop
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.rho1);
    const double rho = DensitySecant(p, target, r.rho1, r.rho2, Search(r.branch));
    EXPECT_TRUE(AgreesRelative(p(rho), target, 3.5e-4));
    const double slope = p(rho * (1.0 + 1e-6)) - p(rho);
    EXPECT_GT(slope, 0.0);
    if (r.branch == Branch::Vapour) {
      EXPECT_LT(rho, Extremum(p, 0.0, 1.0, true));
    } else {
      EXPECT_GT(rho, Extremum(p, 1.0, 2.9, false));
    }
  }
}

TEST(DensitySecant, FlatStartReturnsTheFirstStartDensityWhenItHolds) {
  // rho = 0.5 and 1.5 lie symmetric about the vertex of p = 1 + (rho - 1)^2, so their pressures agree.
  const auto p = [](double rho) { return 1.0 + (rho - 1.0) * (rho - 1.0); };
  SecantTrace trace;
  EXPECT_EQ(DensitySecant(p, 1.25, 1.5, 0.5, Search(Branch::Liquid), &trace), 1.5);
  EXPECT_EQ(trace.new_densities, 0);
  EXPECT_FALSE(trace.bracketed);
  // Not the root: the bracketed search finds the one on the rising (liquid) side.
  const double rho = DensitySecant(p, 2.0, 1.5, 0.5, Search(Branch::Liquid), &trace);
  EXPECT_TRUE(trace.bracketed);
  EXPECT_TRUE(AgreesRelative(rho, 2.0, 1e-12));
}

TEST(DensitySecant, FloorTrapIsFinishedByTheBracketedSearch) {
  // A dilute vapour far below its bound: the floor keeps lifting every secant point to a quarter of the
  // sum of the current points, so the secant never reaches the root.
  const IdealGas p{1.0};
  SecantTrace trace;
  const double rho = DensitySecant(p, 1e-12, 1.0, 1.0 / 1.1, Search(Branch::Vapour, true, 1.0, true), &trace);
  EXPECT_TRUE(trace.bracketed);
  EXPECT_TRUE(AgreesRelative(rho, 1e-12, 1e-12));
}

TEST(DensitySecant, BoundedSearchesStayOnTheirBranch) {
  const VanDerWaals p{0.9};
  const double target = 0.6;
  const double rho_g = DensitySecant(p, 0.647, 0.4, 0.4 / 1.1, Search(Branch::Vapour));
  const double rho_f = DensitySecant(p, 0.647, 1.9, 1.9 * 1.01, Search(Branch::Liquid));
  // Liquid above the saturated density, vapour below it.
  const double liquid = DensitySecant(p, 0.8, rho_f, 1.01 * rho_f, Search(Branch::Liquid, true, rho_f, true));
  EXPECT_GE(liquid, rho_f);
  EXPECT_TRUE(AgreesRelative(p(liquid), 0.8, 3.5e-4));
  const double vapour =
      DensitySecant(p, target, rho_g, rho_g / 1.1, Search(Branch::Vapour, true, rho_g, true));
  EXPECT_LE(vapour, rho_g);
  EXPECT_TRUE(AgreesRelative(p(vapour), target, 3.5e-4));
}

// A secant that converges on the loop's unstable middle root (rho = 1 at 0.6 on the 0.9 isotherm, where the
// pressure falls with density) has met its tolerance off the branch asked for: the bracketed search replaces
// it with the liquid or the vapour root.
TEST(DensitySecant, ConvergenceOnTheUnstableRootIsRejected) {
  const VanDerWaals p{0.9};
  struct Row {
    Branch branch;
    double rho1, rho2;
  };
  const Row rows[] = {{Branch::Liquid, 1.0, 1.01}, {Branch::Vapour, 1.0, 1.0 / 1.1}};
  for (const Row& r : rows) {
    SecantTrace trace;
    DensitySearch s = Search(r.branch);
    s.divide = 0.0;  // only the slope can tell
    const double rho = DensitySecant(p, 0.6, r.rho1, r.rho2, s, &trace);
    EXPECT_TRUE(trace.bracketed);
    EXPECT_TRUE(AgreesRelative(p(rho), 0.6, 1e-12));
    if (r.branch == Branch::Liquid) {
      EXPECT_GT(rho, Extremum(p, 1.0, 2.9, false));
    } else {
      EXPECT_LT(rho, Extremum(p, 0.0, 1.0, true));
    }
  }
}

TEST(DensitySecant, NoRootOnTheBranchGivesTheSpinodal) {
  // At 0.9 the van der Waals liquid spinodal lies at a negative pressure, the vapour spinodal near 0.72:
  // a vapour search aimed above the vapour spinodal has no root and ends at the maximum.
  const VanDerWaals p{0.9};
  const double spinodal = Extremum(p, 0.0, 1.0, true);
  const double rho = DensitySecant(p, 0.9, 0.3, 0.3 / 1.1, Search(Branch::Vapour));
  EXPECT_TRUE(AgreesRelative(rho, spinodal, 1e-4));
}

TEST(DensitySecant, StepLimitAndAveragingAreHonoured) {
  const VanDerWaals p{1.5};
  SecantTrace trace;
  DensitySearch s = Search(Branch::Any);
  s.max_densities = 3;
  const double rho = DensitySecant(p, 2.0, 0.1, 0.11, s, &trace);
  EXPECT_LE(trace.new_densities, 3);
  EXPECT_TRUE(AgreesRelative(p(rho), 2.0, 3.5e-4));

  // Averaging from the first new density halves each step towards the root, so the search still arrives,
  // but later than the plain secant on a linear isotherm (one new density).
  const IdealGas gas{1.0};
  DensitySearch averaged = Search(Branch::Any);
  averaged.averaging_from = 1;
  averaged.max_densities = 64;
  const double rho_avg = DensitySecant(gas, 0.5, 1.0, 0.9, averaged, &trace);
  EXPECT_GT(trace.new_densities, 1);
  EXPECT_TRUE(trace.converged);
  EXPECT_TRUE(AgreesRelative(rho_avg, 0.5, 3.5e-4));
}

TEST(DensitySecant, UndefinedInputsEndInBoundedTime) {
  const VanDerWaals p{0.9};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double targets[] = {nan, inf, -inf, 0.0, -1.0, 1e300, 1e-300};
  for (double target : targets) {
    SecantTrace trace;
    DensitySecant(p, target, 0.3, 0.3 / 1.1, Search(Branch::Vapour, true, 0.3, true), &trace);
    EXPECT_LE(trace.evaluations, 2000);
    DensitySecant(p, target, 1.9, 1.9 * 1.01, Search(Branch::Liquid), &trace);
    EXPECT_LE(trace.evaluations, 2000);
    DensitySecant(p, target, nan, -1.0, Search(Branch::Any), &trace);
    EXPECT_LE(trace.evaluations, 2000);
  }
}

}  // namespace
}  // namespace brimwater::numerics
