// Comparison of computed values with published ones.
#ifndef BRIMWATER_TESTS_SUPPORT_PRECISION_H
#define BRIMWATER_TESTS_SUPPORT_PRECISION_H

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

namespace brimwater::testing {

// True when `actual` rounds to `expected` as printed with `digits` significant digits (half a unit in the
// last printed digit, with 1% slack for the last bits of the computation).
inline ::testing::AssertionResult AgreesToDigits(double actual, double expected, int digits) {
  const double magnitude = std::floor(std::log10(std::fabs(expected)));
  const double tolerance = 0.505 * std::pow(10.0, magnitude - digits + 1);
  if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "actual " << std::setprecision(17) << actual << " differs from "
                                       << expected << " in its first " << digits << " significant digits";
}

// True when |actual - expected| <= relative * |expected|.
inline ::testing::AssertionResult AgreesRelative(double actual, double expected, double relative) {
  if (std::fabs(actual - expected) <= relative * std::fabs(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "actual " << std::setprecision(17) << actual << " differs from "
                                       << expected << " by more than " << relative << " relative";
}

}  // namespace brimwater::testing

#endif  // BRIMWATER_TESTS_SUPPORT_PRECISION_H
