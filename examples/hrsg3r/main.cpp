// hrsg3r: three-pressure reheat HRSG with fixed gas inlet. Prints the UA matching of the three steam flows,
// and the failure message if it does not converge.
#include <cstdio>

#include "hrsg3r_model.h"

int main() {
  brimwater::hrsg3r::Solve(brimwater::hrsg3r::kStartFlows, stdout);
  return 0;
}
