// The C interface: each bw_ function hands its arguments to the C++ function of the same name and returns
// its result unchanged. Nothing is computed here, so the two agree bit for bit.
#include <brimwater/brimwater.h>
#include <brimwater/props.h>

extern "C" {

double BW_CALL bw_Psat(double Ts, int32_t formulation) { return brimwater::Psat(Ts, formulation); }
double BW_CALL bw_Tsat(double Ps, int32_t formulation) { return brimwater::Tsat(Ps, formulation); }

double BW_CALL bw_Vf(double Ts, int32_t formulation) { return brimwater::Vf(Ts, formulation); }
double BW_CALL bw_Vg(double Ts, int32_t formulation) { return brimwater::Vg(Ts, formulation); }
double BW_CALL bw_Hf(double Ts, int32_t formulation) { return brimwater::Hf(Ts, formulation); }
double BW_CALL bw_Hg(double Ts, int32_t formulation) { return brimwater::Hg(Ts, formulation); }
double BW_CALL bw_Sf(double Ts, int32_t formulation) { return brimwater::Sf(Ts, formulation); }
double BW_CALL bw_Sg(double Ts, int32_t formulation) { return brimwater::Sg(Ts, formulation); }

double BW_CALL bw_VofTP(double T, double P, int32_t formulation) {
  return brimwater::VofTP(T, P, formulation);
}
double BW_CALL bw_HofTP(double T, double P, int32_t formulation) {
  return brimwater::HofTP(T, P, formulation);
}
double BW_CALL bw_SofTP(double T, double P, int32_t formulation) {
  return brimwater::SofTP(T, P, formulation);
}

double BW_CALL bw_TofPH(double P, double H, int32_t formulation) {
  return brimwater::TofPH(P, H, formulation);
}
double BW_CALL bw_SofPH(double P, double H, int32_t formulation) {
  return brimwater::SofPH(P, H, formulation);
}
double BW_CALL bw_TofPS(double P, double S, int32_t formulation) {
  return brimwater::TofPS(P, S, formulation);
}
double BW_CALL bw_HofPS(double P, double S, int32_t formulation) {
  return brimwater::HofPS(P, S, formulation);
}

}  // extern "C"
