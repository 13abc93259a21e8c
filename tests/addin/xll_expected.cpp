// Writes what the Windows add-in must reproduce, computed by the native build: every xlfRegister call of
// xlAutoOpen (arguments hex-encoded after an 'x', so that the Windows-1252 bytes pass unchanged), and the
// library's value for a set of worksheet calls (doubles as their 64-bit patterns, so that NaN and infinities
// survive).
//   xll_expected <output file>
#include <brimwater/props.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "addin.h"
#include "standin/standin.h"

namespace {

using OneArgument = double (*)(double, brimwater::FormulationCode);
using TwoArguments = double (*)(double, double, brimwater::FormulationCode);

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// English and SI codes of every formulation, and unsupported codes of both signs.
constexpr brimwater::FormulationCode kCodes[] = {97, -97, 95, -95, 84, -84, 69, -69, 67, -67, 1, 0, -5};

struct OneArgumentFunction {
  const char* name;
  OneArgument function;
  double english;  // an argument in English units, and the same state in SI units
  double si;
};

struct TwoArgumentFunction {
  const char* name;
  TwoArguments function;
  double english[2];
  double si[2];
};

const OneArgumentFunction kOneArgument[] = {
    {"Psat", brimwater::Psat, 212.0, 373.15}, {"Tsat", brimwater::Tsat, 14.7, 0.101325},
    {"Vf", brimwater::Vf, 212.0, 373.15},     {"Vg", brimwater::Vg, 212.0, 373.15},
    {"Hf", brimwater::Hf, 400.0, 477.59},     {"Hg", brimwater::Hg, 400.0, 477.59},
    {"Sf", brimwater::Sf, 600.0, 588.71},     {"Sg", brimwater::Sg, 600.0, 588.71},
};

const TwoArgumentFunction kTwoArguments[] = {
    {"VofTP", brimwater::VofTP, {1000.0, 800.0}, {811.0, 5.5}},
    {"HofTP", brimwater::HofTP, {1000.0, 800.0}, {811.0, 5.5}},
    {"SofTP", brimwater::SofTP, {100.0, 1000.0}, {311.0, 7.0}},
    {"TofPH", brimwater::TofPH, {1000.0, 1400.0}, {1.0, 3000.0}},
    {"SofPH", brimwater::SofPH, {100.0, 700.0}, {10.0, 1000.0}},
    {"TofPS", brimwater::TofPS, {1000.0, 1.6}, {1.0, 7.0}},
    {"HofPS", brimwater::HofPS, {100.0, 1.2}, {10.0, 2.5}},
};

// Arguments no worksheet should send, which must still come back as numbers.
constexpr double kBadArguments[] = {kNaN, kInfinity, -kInfinity, 0.0, -1.0e300, 1.0e300};

std::uint64_t Bits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void WriteValue(std::FILE* out, const char* name, double argument, brimwater::FormulationCode code,
                double value) {
  std::fprintf(out, "value %s 1 %016llx %d %016llx\n", name, static_cast<unsigned long long>(Bits(argument)),
               code, static_cast<unsigned long long>(Bits(value)));
}

void WriteValue(std::FILE* out, const char* name, double first, double second,
                brimwater::FormulationCode code, double value) {
  std::fprintf(out, "value %s 2 %016llx %016llx %d %016llx\n", name,
               static_cast<unsigned long long>(Bits(first)), static_cast<unsigned long long>(Bits(second)),
               code, static_cast<unsigned long long>(Bits(value)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: xll_expected <output file>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::fprintf(stderr, "xll_expected: cannot write %s\n", argv[1]);
    return 1;
  }

  StandInReset();
  if (xlAutoOpen() != 1) {
    std::fprintf(stderr, "xll_expected: the native add-in did not register its functions\n");
    std::fclose(out);
    return 1;
  }
  for (int r = 0; r < StandInRegistrationCount(); ++r) {
    std::fprintf(out, "registration");
    for (int a = 0; a < StandInArgumentCount(r); ++a) {
      std::fputs(" x", out);  // the marker keeps empty texts as fields of their own
      for (const char* c = StandInArgument(r, a); c != nullptr && *c != 0; ++c) {
        std::fprintf(out, "%02x", static_cast<unsigned>(static_cast<unsigned char>(*c)));
      }
    }
    std::fputc('\n', out);
  }

  for (const OneArgumentFunction& f : kOneArgument) {
    for (const brimwater::FormulationCode code : kCodes) {
      const double argument = code > 0 ? f.english : f.si;
      WriteValue(out, f.name, argument, code, f.function(argument, code));
    }
    for (const double bad : kBadArguments) WriteValue(out, f.name, bad, 97, f.function(bad, 97));
  }
  for (const TwoArgumentFunction& f : kTwoArguments) {
    for (const brimwater::FormulationCode code : kCodes) {
      const double* arguments = code > 0 ? f.english : f.si;
      WriteValue(out, f.name, arguments[0], arguments[1], code, f.function(arguments[0], arguments[1], code));
    }
    for (const double bad : kBadArguments) {
      WriteValue(out, f.name, bad, f.si[1], -97, f.function(bad, f.si[1], -97));
      WriteValue(out, f.name, f.si[0], bad, -97, f.function(f.si[0], bad, -97));
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
