/* Prints the enthalpy of steam at 1000 degF and 800 psia from the installed shared library, through the C
 * interface. */
#include <brimwater/brimwater.h>
#include <stdio.h>

int main(void) {
  const double h = bw_HofTP(1000.0, 800.0, 97);
  printf("%.6f\n", h);
  return h > 1400.0 && h < 1600.0 ? 0 : 1;
}
