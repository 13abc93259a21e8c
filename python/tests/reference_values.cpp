// The C++ library's answers for the Python tests. Each line of standard input is
//   FUNCTION CODE A [B]
// with the arguments in any form strtod reads (the tests send Python's float.hex()); each answer is printed
// with %a, exact to the bit, one per line. A state function (StateOfTP ...) answers with one line of the
// state's fields in their order in <brimwater/state.h>: the seventeen numbers with %a, then phase, region,
// status, transport and transport_status as integers. A malformed line prints "error".
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Function {
  const char* name;
  double (*one)(double, brimwater::FormulationCode);
  double (*two)(double, double, brimwater::FormulationCode);
};

constexpr Function kFunctions[] = {
    {"Psat", brimwater::Psat, nullptr},   {"Tsat", brimwater::Tsat, nullptr},
    {"Vf", brimwater::Vf, nullptr},       {"Vg", brimwater::Vg, nullptr},
    {"Hf", brimwater::Hf, nullptr},       {"Hg", brimwater::Hg, nullptr},
    {"Sf", brimwater::Sf, nullptr},       {"Sg", brimwater::Sg, nullptr},
    {"VofTP", nullptr, brimwater::VofTP}, {"HofTP", nullptr, brimwater::HofTP},
    {"SofTP", nullptr, brimwater::SofTP}, {"TofPH", nullptr, brimwater::TofPH},
    {"SofPH", nullptr, brimwater::SofPH}, {"TofPS", nullptr, brimwater::TofPS},
    {"HofPS", nullptr, brimwater::HofPS},
};

const Function* Find(const char* name) {
  for (const Function& f : kFunctions) {
    if (std::strcmp(f.name, name) == 0) return &f;
  }
  return nullptr;
}

struct StateFunction {
  const char* name;
  brimwater::State (*solve)(double, double, brimwater::FormulationCode);
};

constexpr StateFunction kStateFunctions[] = {
    {"StateOfTP", brimwater::StateOfTP}, {"StateOfPH", brimwater::StateOfPH},
    {"StateOfPS", brimwater::StateOfPS}, {"StateOfHS", brimwater::StateOfHS},
    {"StateOfTX", brimwater::StateOfTX}, {"StateOfPX", brimwater::StateOfPX},
};

const StateFunction* FindState(const char* name) {
  for (const StateFunction& f : kStateFunctions) {
    if (std::strcmp(f.name, name) == 0) return &f;
  }
  return nullptr;
}

void PrintState(const brimwater::State& s) {
  const double numbers[] = {s.T, s.P, s.v,  s.rho,    s.h,     s.s,  s.u,     s.cp, s.cv,
                            s.w, s.x, s.mu, s.lambda, s.sigma, s.nu, s.alpha, s.Pr};
  for (const double value : numbers) std::printf("%a ", value);
  std::printf("%d %d %d %d %d\n", static_cast<int>(s.phase), s.region, static_cast<int>(s.status),
              static_cast<int>(s.transport), static_cast<int>(s.transport_status));
}

}  // namespace

int main() {
  char line[512];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char name[32] = {};
    long code = 0;
    char a[128] = {};
    char b[128] = {};
    const int fields = std::sscanf(line, "%31s %ld %127s %127s", name, &code, a, b);
    if (const StateFunction* state = fields == 4 ? FindState(name) : nullptr) {
      PrintState(state->solve(std::strtod(a, nullptr), std::strtod(b, nullptr),
                              static_cast<brimwater::FormulationCode>(code)));
      continue;
    }
    const Function* f = fields >= 3 ? Find(name) : nullptr;
    if (f == nullptr || (f->two != nullptr && fields != 4)) {
      std::puts("error");
      continue;
    }
    const auto formulation = static_cast<brimwater::FormulationCode>(code);
    const double x = std::strtod(a, nullptr);
    const double value =
        f->one != nullptr ? f->one(x, formulation) : f->two(x, std::strtod(b, nullptr), formulation);
    std::printf("%a\n", value);
  }
  return 0;
}
