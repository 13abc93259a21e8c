// The C interface: each bw_ function hands its arguments to the C++ function of the same name and returns
// its result unchanged, or for a state copies it field by field into the caller's struct. Nothing is computed
// here, so the two agree bit for bit.
#include <brimwater/brimwater.h>
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <cstddef>
#include <cstring>

namespace {

using brimwater::FormulationCode;
using brimwater::Phase;
using brimwater::State;
using brimwater::Status;
using brimwater::TransportForm;

// The layout that callers in other languages copy field by field: the six 32-bit integers, then the
// seventeen doubles, with no padding under any packing rule (nor at the end: see Fill).
static_assert(offsetof(bw_state, size) == 0 && offsetof(bw_state, transport_status) == 20 &&
                  offsetof(bw_state, T) == 24 && offsetof(bw_state, Pr) == BW_STATE_SIZE_1 - sizeof(double),
              "bw_state is laid out as its header documents");

// The header's constants are the C++ enumerations' values.
static_assert(static_cast<int>(Status::Ok) == BW_STATUS_OK &&
              static_cast<int>(Status::Extrapolated) == BW_STATUS_EXTRAPOLATED &&
              static_cast<int>(Status::UnsupportedCode) == BW_STATUS_UNSUPPORTED_CODE &&
              static_cast<int>(Status::InvalidArgument) == BW_STATUS_INVALID_ARGUMENT &&
              static_cast<int>(Status::NoSolution) == BW_STATUS_NO_SOLUTION);
static_assert(static_cast<int>(Phase::Unknown) == BW_PHASE_UNKNOWN &&
              static_cast<int>(Phase::Liquid) == BW_PHASE_LIQUID &&
              static_cast<int>(Phase::Vapour) == BW_PHASE_VAPOUR &&
              static_cast<int>(Phase::Supercritical) == BW_PHASE_SUPERCRITICAL &&
              static_cast<int>(Phase::TwoPhase) == BW_PHASE_TWO_PHASE);
static_assert(static_cast<int>(TransportForm::None) == BW_TRANSPORT_NONE &&
              static_cast<int>(TransportForm::Industrial) == BW_TRANSPORT_INDUSTRIAL &&
              static_cast<int>(TransportForm::Full) == BW_TRANSPORT_FULL);

bw_state ToBwState(const State& s) {
  bw_state c;
  c.size = sizeof c;
  c.phase = static_cast<int32_t>(s.phase);
  c.region = s.region;
  c.status = static_cast<int32_t>(s.status);
  c.transport = static_cast<int32_t>(s.transport);
  c.transport_status = static_cast<int32_t>(s.transport_status);
  c.T = s.T;
  c.P = s.P;
  c.v = s.v;
  c.rho = s.rho;
  c.h = s.h;
  c.s = s.s;
  c.u = s.u;
  c.cp = s.cp;
  c.cv = s.cv;
  c.w = s.w;
  c.x = s.x;
  c.mu = s.mu;
  c.lambda = s.lambda;
  c.sigma = s.sigma;
  c.nu = s.nu;
  c.alpha = s.alpha;
  c.Pr = s.Pr;
  return c;
}

// Checks the caller's struct, solves, and fills it. The caller's struct is reached through its bytes: it may
// be a struct of another version than this library's, and need not be aligned as a bw_state here would be.
template <State (*Solve)(double, double, FormulationCode)>
int32_t Fill(double a, double b, int32_t formulation, bw_state* out) {
  if (out == nullptr) return BW_STATUS_BAD_STRUCT;
  uint32_t size = 0;
  std::memcpy(&size, out, sizeof size);
  if (size < BW_STATE_SIZE_1) return BW_STATUS_BAD_STRUCT;
  const bw_state c = ToBwState(Solve(a, b, formulation));
  // A caller's size is at least the first version's, which holds every field of this version; once fields
  // are appended, only those that lie wholly within the caller's size may be copied, and `size` must say
  // where they end.
  static_assert(sizeof c == BW_STATE_SIZE_1, "copy only the fields within the caller's size");
  std::memcpy(out, &c, sizeof c);
  return c.status;
}

}  // namespace

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

int32_t BW_CALL bw_StateOfTP(double T, double P, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfTP>(T, P, formulation, state);
}
int32_t BW_CALL bw_StateOfPH(double P, double h, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfPH>(P, h, formulation, state);
}
int32_t BW_CALL bw_StateOfPS(double P, double s, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfPS>(P, s, formulation, state);
}
int32_t BW_CALL bw_StateOfHS(double h, double s, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfHS>(h, s, formulation, state);
}
int32_t BW_CALL bw_StateOfTX(double T, double x, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfTX>(T, x, formulation, state);
}
int32_t BW_CALL bw_StateOfPX(double P, double x, int32_t formulation, bw_state* state) {
  return Fill<brimwater::StateOfPX>(P, x, formulation, state);
}

// Every int32_t is a value of the C++ enumerations (their underlying type is int), which name the
// unknown ones "unknown".
const char* BW_CALL bw_StatusName(int32_t status) {
  if (status == BW_STATUS_BAD_STRUCT) return "bad struct";
  return brimwater::StatusName(static_cast<Status>(status));
}
const char* BW_CALL bw_PhaseName(int32_t phase) { return brimwater::PhaseName(static_cast<Phase>(phase)); }

}  // extern "C"
