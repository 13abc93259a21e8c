// The public state functions: the code's formulation, English units in and out for a code greater than 0, and
// the names of statuses and phases.
#include "brimwater/state.h"

#include "props/dispatch.h"
#include "props/units.h"
#include "state/formulation.h"
#include "state/pairs.h"

namespace brimwater {
namespace {

State ToEnglish(State s) {
  s.T = units::TemperatureOut(s.T);
  s.P = units::PressureOut(s.P);
  s.v = units::VolumeOut(s.v);
  s.rho = units::DensityOut(s.rho);
  s.h = units::EnthalpyOut(s.h);
  s.u = units::EnthalpyOut(s.u);
  s.s = units::EntropyOut(s.s);
  s.cp = units::EntropyOut(s.cp);
  s.cv = units::EntropyOut(s.cv);
  s.w = units::SpeedOut(s.w);
  s.mu = units::ViscosityOut(s.mu);
  s.lambda = units::ConductivityOut(s.lambda);
  s.sigma = units::SurfaceTensionOut(s.sigma);
  s.nu = units::DiffusivityOut(s.nu);
  s.alpha = units::DiffusivityOut(s.alpha);
  return s;
}

// Converts the two arguments in, solves, converts the state out.
template <double (*FirstIn)(double), double (*SecondIn)(double),
          State (*Solve)(const state::Formulation&, double, double)>
State Public(double a, double b, FormulationCode code) {
  const state::Formulation* f = state::FormulationOf(code);
  if (f == nullptr) return state::Failed(Status::UnsupportedCode);
  if (!units::IsEnglish(code)) return Solve(*f, a, b);
  return ToEnglish(Solve(*f, FirstIn(a), SecondIn(b)));
}

double Same(double x) { return x; }

}  // namespace

namespace state {

const Formulation* FormulationOf(FormulationCode code) {
  switch (dispatch::FormulationOf(code)) {
    case dispatch::Formulation::If97: return &If97();
    case dispatch::Formulation::Iapws95: return &Iapws95();
    case dispatch::Formulation::Kkhm69: return &Kkhm69();
    case dispatch::Formulation::Ifc67: return &Ifc67();
    case dispatch::Formulation::Nbs84: return &Nbs84();
    default: return nullptr;
  }
}

}  // namespace state

State StateOfTP(double T, double P, FormulationCode formulation) {
  return Public<units::TemperatureIn, units::PressureIn, state::SolveTP>(T, P, formulation);
}

State StateOfPH(double P, double h, FormulationCode formulation) {
  return Public<units::PressureIn, units::EnthalpyIn, state::SolvePH>(P, h, formulation);
}

State StateOfPS(double P, double s, FormulationCode formulation) {
  return Public<units::PressureIn, units::EntropyIn, state::SolvePS>(P, s, formulation);
}

State StateOfHS(double h, double s, FormulationCode formulation) {
  return Public<units::EnthalpyIn, units::EntropyIn, state::SolveHS>(h, s, formulation);
}

State StateOfTX(double T, double x, FormulationCode formulation) {
  return Public<units::TemperatureIn, Same, state::SolveTX>(T, x, formulation);
}

State StateOfPX(double P, double x, FormulationCode formulation) {
  return Public<units::PressureIn, Same, state::SolvePX>(P, x, formulation);
}

const char* StatusName(Status status) {
  switch (status) {
    case Status::Ok: return "ok";
    case Status::Extrapolated: return "extrapolated";
    case Status::UnsupportedCode: return "unsupported code";
    case Status::InvalidArgument: return "invalid argument";
    case Status::NoSolution: return "no solution";
  }
  return "unknown";
}

const char* PhaseName(Phase phase) {
  switch (phase) {
    case Phase::Unknown: return "unknown";
    case Phase::Liquid: return "liquid";
    case Phase::Vapour: return "vapour";
    case Phase::Supercritical: return "supercritical";
    case Phase::TwoPhase: return "two-phase";
  }
  return "unknown";
}

const char* TransportFormName(TransportForm form) {
  switch (form) {
    case TransportForm::None: return "none";
    case TransportForm::Industrial: return "industrial";
    case TransportForm::Full: return "full";
  }
  return "none";
}

}  // namespace brimwater
