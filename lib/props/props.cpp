// The eleven forward public functions: convert English arguments in, dispatch on the absolute code,
// convert the result out. Vf, Vg and VofTP return PropertyError unconverted; the others pass it through
// their English output factor like any result.
#include "props/props.h"

#include "props/dispatch.h"
#include "props/units.h"

namespace brimwater {
namespace {

using units::In;
using units::Out;

double TemperatureArgument(double t, FormulationCode code) { return In<units::TemperatureIn>(t, code); }
double PressureArgument(double p, FormulationCode code) { return In<units::PressureIn>(p, code); }

// Volumes never convert PropertyError, so an unsupported code returns it before any work.
double VolumeResult(double T, double P, StateSelector selector, FormulationCode code) {
  if (!dispatch::IsSupported(code)) return PropertyError;
  const double v = dispatch::Volume(TemperatureArgument(T, code), P, selector, code);
  return Out<units::VolumeOut>(v, code);
}

double EnthalpyResult(double T, double P, StateSelector selector, FormulationCode code) {
  const double h = dispatch::Enthalpy(TemperatureArgument(T, code), P, selector, code);
  return Out<units::EnthalpyOut>(h, code);
}

double SaturatedEntropyResult(double Ts, StateSelector selector, FormulationCode code) {
  const double s = dispatch::Entropy(TemperatureArgument(Ts, code), 0.0, selector, code);
  return Out<units::SaturatedEntropyOut>(s, code);
}

}  // namespace

double Psat(double Ts, FormulationCode formulation) {
  const double p = dispatch::SatPressure(TemperatureArgument(Ts, formulation), formulation);
  return Out<units::PressureOut>(p, formulation);
}

double Tsat(double Ps, FormulationCode formulation) {
  const double t = dispatch::SatTemperature(PressureArgument(Ps, formulation), formulation);
  return Out<units::TemperatureOut>(t, formulation);
}

double Vf(double Ts, FormulationCode formulation) {
  return VolumeResult(Ts, 0.0, StateSelector::SaturatedLiquid, formulation);
}

double Vg(double Ts, FormulationCode formulation) {
  return VolumeResult(Ts, 0.0, StateSelector::SaturatedVapour, formulation);
}

double Hf(double Ts, FormulationCode formulation) {
  return EnthalpyResult(Ts, 0.0, StateSelector::SaturatedLiquid, formulation);
}

double Hg(double Ts, FormulationCode formulation) {
  return EnthalpyResult(Ts, 0.0, StateSelector::SaturatedVapour, formulation);
}

double Sf(double Ts, FormulationCode formulation) {
  return SaturatedEntropyResult(Ts, StateSelector::SaturatedLiquid, formulation);
}

double Sg(double Ts, FormulationCode formulation) {
  return SaturatedEntropyResult(Ts, StateSelector::SaturatedVapour, formulation);
}

double VofTP(double T, double P, FormulationCode formulation) {
  return VolumeResult(T, PressureArgument(P, formulation), StateSelector::SinglePhase, formulation);
}

double HofTP(double T, double P, FormulationCode formulation) {
  return EnthalpyResult(T, PressureArgument(P, formulation), StateSelector::SinglePhase, formulation);
}

double SofTP(double T, double P, FormulationCode formulation) {
  const double s = dispatch::Entropy(TemperatureArgument(T, formulation), PressureArgument(P, formulation),
                                     StateSelector::SinglePhase, formulation);
  return Out<units::EntropyOut>(s, formulation);
}

}  // namespace brimwater
