// hrsg1: single-pressure HRSG in SI units. Prints the iteration on the steam flow; a run that does not
// converge within its iterations ends after the last valid line, like one that does.
#include <cstdio>

#include "hrsg1_model.h"

int main() {
  brimwater::hrsg1::Solve(brimwater::hrsg1::kStartFlow, stdout);
  return 0;
}
