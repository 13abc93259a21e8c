// Every public function, for every supported code, with hostile arguments (NaN, infinities, zeros, a
// denormal, a negative value and the largest magnitudes), in every combination for two-argument functions.
// Each call must return; what it returns (NaN, an infinity or a finite number) is recorded in a table kept
// with the tests, so that any change of behaviour shows up. BRIMWATER_UPDATE_EXPECTED=1 rewrites the table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "support/functions.h"

namespace brimwater {
namespace {

using brimwater::testing::kPublicFunctions;
using brimwater::testing::kValidCodes;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kHostile[] = {
    std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 0.0, -0.0, 5e-324, -1.0, 1e308, -1e308};

char Classify(double x) {
  if (std::isnan(x)) return 'n';
  if (std::isinf(x)) return x > 0 ? '+' : '-';
  return 'f';
}

std::string Table() {
  std::ostringstream table;
  table << "# n NaN, + +inf, - -inf, f finite; arguments in the order nan inf -inf 0 -0 5e-324 -1 1e308 "
           "-1e308\n"
        << "# (two-argument functions: the second argument varies fastest)\n";
  for (const auto& f : kPublicFunctions) {
    for (const FormulationCode code : kValidCodes) {
      table << f.name << ' ' << code << ' ';
      for (const double a : kHostile) {
        if (f.arity() == 1) {
          table << Classify(f(a, 0.0, code));
        } else {
          for (const double b : kHostile) table << Classify(f(a, b, code));
        }
      }
      table << '\n';
    }
  }
  return table.str();
}

TEST(HostileArguments, EveryFunctionAndCodeReturnsAsRecorded) {
  const std::string actual = Table();
  const char* update = std::getenv("BRIMWATER_UPDATE_EXPECTED");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(BRIMWATER_HOSTILE_EXPECTED) << actual;
    GTEST_SKIP() << "rewrote " << BRIMWATER_HOSTILE_EXPECTED;
  }
  std::ifstream file(BRIMWATER_HOSTILE_EXPECTED);
  ASSERT_TRUE(file.good()) << "missing " << BRIMWATER_HOSTILE_EXPECTED;
  std::stringstream expected;
  expected << file.rdbuf();
  EXPECT_EQ(actual, expected.str());
}

}  // namespace
}  // namespace brimwater
