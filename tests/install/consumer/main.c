/* Prints the enthalpy of steam at 1000 degF and 800 psia from the installed shared library, through the C
 * interface, and asks for the whole state of the same steam through the installed header's struct. */
#include <brimwater/brimwater.h>
#include <stdio.h>

int main(void) {
  const double h = bw_HofTP(1000.0, 800.0, 97);
  bw_state state;
  printf("%.6f\n", h);
  state.size = sizeof state;
  if (bw_StateOfTP(1000.0, 800.0, 97, &state) != BW_STATUS_OK || state.size != BW_STATE_SIZE_1) return 1;
  return h > 1400.0 && h < 1600.0 ? 0 : 1;
}
