// cc1si: single-pressure combined cycle in SI units. Prints the iteration on steam flow and condensing
// temperature, then net output and heat rate.
#include <cstdio>

#include "cc1si_model.h"

int main() {
  brimwater::cc1si::RunCase(brimwater::cc1si::kAmbient, brimwater::cc1si::kStartFlowDivisor, stdout);
  return 0;
}
