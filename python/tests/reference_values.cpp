// The C++ library's answers for the Python tests. Each line of standard input is
//   FUNCTION CODE A [B]
// with the arguments in any form strtod reads (the tests send Python's float.hex()); each answer is printed
// with %a, exact to the bit, one per line. A malformed line prints "error".
#include <brimwater/props.h>

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

}  // namespace

int main() {
  char line[512];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char name[32] = {};
    long code = 0;
    char a[128] = {};
    char b[128] = {};
    const int fields = std::sscanf(line, "%31s %ld %127s %127s", name, &code, a, b);
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
