// The library is pure: threads evaluating every function for every formulation at once get, bit for bit,
// what one thread gets. Run under ThreadSanitizer (the tsan preset) this also proves there is no shared
// state.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "support/functions.h"

namespace brimwater {
namespace {

using brimwater::testing::kPublicFunctions;
using brimwater::testing::kValidCodes;

// Ordinary arguments of each kind, in SI and English units.
struct Arguments {
  double si_a, si_b, english_a, english_b;
};

std::vector<Arguments> ArgumentsOf(brimwater::testing::Arguments kind) {
  using Kind = brimwater::testing::Arguments;
  switch (kind) {
    case Kind::Temperature:
      return {{300.0, 0.0, 80.0, 0.0}, {450.0, 0.0, 400.0, 0.0}, {640.0, 0.0, 700.0, 0.0}};
    case Kind::Pressure: return {{0.01, 0.0, 1.0, 0.0}, {1.0, 0.0, 150.0, 0.0}, {20.0, 0.0, 3000.0, 0.0}};
    case Kind::TemperaturePressure:
      return {{300.0, 3.0, 80.0, 400.0}, {450.0, 0.5, 400.0, 60.0}, {700.0, 20.0, 1000.0, 1500.0}};
    case Kind::PressureEnthalpy: return {{1.0, 3000.0, 150.0, 1300.0}, {10.0, 1000.0, 1500.0, 400.0}};
    case Kind::PressureEntropy: return {{1.0, 7.0, 150.0, 1.7}, {10.0, 2.5, 1500.0, 0.5}};
  }
  return {};
}

std::vector<std::uint64_t> EvaluateAll() {
  std::vector<std::uint64_t> bits;
  for (const auto& f : kPublicFunctions) {
    for (const FormulationCode code : kValidCodes) {
      for (const Arguments& in : ArgumentsOf(f.arguments)) {
        const double value = code > 0 ? f(in.english_a, in.english_b, code) : f(in.si_a, in.si_b, code);
        std::uint64_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        bits.push_back(word);
      }
    }
  }
  return bits;
}

TEST(Concurrency, ThreadsAgreeBitForBitWithOneThread) {
  const std::vector<std::uint64_t> reference = EvaluateAll();
  constexpr int kThreads = 4;
  std::vector<std::vector<std::uint64_t>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&results, t] {
      for (int round = 0; round < 3; ++round) results[static_cast<std::size_t>(t)] = EvaluateAll();
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(results[static_cast<std::size_t>(t)], reference);
  }
}

}  // namespace
}  // namespace brimwater
