// Prints the enthalpy of steam at 1000 degF and 800 psia from the installed library.
#include <brimwater/props.h>

#include <cmath>
#include <cstdio>

int main() {
  const double h = brimwater::HofTP(1000.0, 800.0, 97);
  std::printf("%.6f\n", h);
  return std::isfinite(h) && h > 1400.0 && h < 1600.0 ? 0 : 1;
}
