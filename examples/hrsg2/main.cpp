// hrsg2: two-pressure HRSG with constant gas specific heat. Prints the iteration on the LP and HP steam
// flows; a run that does not converge within its iterations ends after the last valid line.
#include <cstdio>

#include "hrsg2_model.h"

int main() {
  brimwater::hrsg2::Solve(brimwater::hrsg2::kStartFlows, stdout);
  return 0;
}
