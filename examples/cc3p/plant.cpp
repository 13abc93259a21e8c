#include "plant.h"

#include <array>
#include <cmath>

#include "common/hrsg.h"

namespace brimwater::cc3p {
namespace {

using cycle::GasComposition;

// ---- Plant data -------------------------------------------------------------------------------------------
constexpr FormulationCode kIf97 = 97;  // IAPWS-IF97, English units

constexpr double kFuelHeatingValue = 19500.0;  // BTU/lbm
constexpr double kFuelRatio = 3.5;             // r of CombustionProducts

// Turbine inlet pressure per unit of flow through it (sliding pressure), psia per lbm/hr.
constexpr double kHpFlowCoefficient = 0.025263;
constexpr double kIpFlowCoefficient = 0.003509;
constexpr double kLpFlowCoefficient = 0.001003;
constexpr double kReheatFraction = 0.95;  // of the HP turbine flow, on to cold reheat

constexpr double kTurbineEfficiency = 0.82;  // HP, IP and LP sections
constexpr double kPumpEfficiency = 0.85;     // condensate, IP and HP feed pumps

constexpr double kLpSuperheaterOutlet = 500.0;   // degF
constexpr double kIpSuperheaterOutlet = 600.0;   // degF
constexpr double kHpSuperheater1Outlet = 700.0;  // degF
constexpr double kHpSuperheater2Outlet = 800.0;  // degF, HP turbine inlet
constexpr double kReheater1Outlet = 700.0;       // degF
constexpr double kReheater2Outlet = 800.0;       // degF, IP turbine inlet

constexpr std::size_t kLp = 0, kIp = 1, kHp = 2;                        // pressure levels
constexpr std::array<double, 3> kTargetUa{75000.0, 50000.0, 700000.0};  // BTU/(hr degF), HP with reheaters
constexpr double kUaTolerance = 0.001;
constexpr double kCondenserCapacity = 2000000.0;  // BTU/(hr degF) of cooling water
constexpr double kCondenserTolerance = 0.5;       // degF

// ---- Water/steam side -------------------------------------------------------------------------------------

// Temperatures (degF), pressures (psia) and enthalpies (BTU/lbm) of the water/steam side for one set of flows
// and condenser temperature. Pressures follow the flows: each turbine's inlet pressure is proportional to its
// flow, and the drums and pumps sit at fixed offsets above it.
struct SteamSide {
  // LP
  double Tsat_LP, T_LE, T_CP, h_c, h_CP, h_LE, hg_LP, h_LS, hf_LP;
  // HP
  double Tsat_HP, h_HPP, h_HE1, h_HE2, h_HE3, hg_HP, h_HS1, h_HS2;
  // IP and reheat
  double Tsat_IP, h_RH1, h_RH2, h_IPP, h_IE, hg_IP, h_IS;
  // Turbines and condenser
  double h_HPX, h_CRH, T_CRH, h_IPX, h_LPI, h_LPX, Qcn;
};

SteamSide WaterSteamStates(double Flp, double Fip, double Fhp, double Tcn) {
  SteamSide s{};
  const double F95 = kReheatFraction * Fhp;

  // LP: condensate pump to the LP economizer, LP drum and superheater.
  const double P_LPT = kLpFlowCoefficient * (F95 + Flp);
  const double P_LPD = P_LPT + 5.0;
  const double P_CP = P_LPD + 100.0;
  s.Tsat_LP = Tsat(P_LPD, kIf97);
  s.T_LE = s.Tsat_LP - 5.0;
  s.h_c = Hf(Tcn, kIf97);
  s.h_CP = cycle::PumpOutletH(Psat(Tcn, kIf97), s.h_c, P_CP, kPumpEfficiency, kIf97);
  s.T_CP = TofPH(P_CP, s.h_CP, kIf97);
  s.h_LE = HofTP(s.T_LE, P_LPD, kIf97);
  s.hg_LP = Hg(s.Tsat_LP, kIf97);
  s.h_LS = HofTP(kLpSuperheaterOutlet, P_LPT, kIf97);
  s.hf_LP = Hf(s.Tsat_LP, kIf97);

  // HP: feed pump from the LP drum, three economizers, drum, two superheaters.
  const double P_HPT = kHpFlowCoefficient * Fhp;
  const double P_HS1 = P_HPT + 25.0;
  const double P_HPD = P_HPT + 50.0;
  const double P_HE = P_HPT + 150.0;
  const double P_HPP = P_HPT + 200.0;
  s.Tsat_HP = Tsat(P_HPD, kIf97);
  // The isentropic rise is taken to the economizer pressure, the outlet state at the pump discharge.
  const double hHpPump =
      s.hf_LP + (HofPS(P_HE, SofPH(P_LPD, s.hf_LP, kIf97), kIf97) - s.hf_LP) / kPumpEfficiency;
  const double T_HPP = TofPH(P_HPP, hHpPump, kIf97);
  s.h_HPP = HofTP(T_HPP, P_HPP, kIf97);
  s.h_HE1 = HofTP(s.Tsat_HP - 150.0, P_HE, kIf97);
  s.h_HE2 = HofTP(s.Tsat_HP - 75.0, P_HE, kIf97);
  s.h_HE3 = HofTP(s.Tsat_HP - 20.0, P_HE, kIf97);
  s.hg_HP = Hg(s.Tsat_HP, kIf97);
  s.h_HS1 = HofTP(kHpSuperheater1Outlet, P_HS1, kIf97);
  s.h_HS2 = HofTP(kHpSuperheater2Outlet, P_HPT, kIf97);

  // IP: feed pump from the LP drum, economizer, drum, superheater into cold reheat; two reheaters.
  const double P_IPT = kIpFlowCoefficient * F95;
  const double P_RH1 = P_IPT + 10.0;
  const double P_CRH = P_IPT + 20.0;
  const double P_IPD = P_CRH + 10.0;
  const double P_IPP = P_IPD + 25.0;
  s.h_RH1 = HofTP(kReheater1Outlet, P_RH1, kIf97);
  s.h_RH2 = HofTP(kReheater2Outlet, P_IPT, kIf97);
  s.Tsat_IP = Tsat(P_IPD, kIf97);
  const double T_IE = s.Tsat_IP - 50.0;
  const double hIpPump =
      s.hf_LP + (HofPS(P_IPD, SofPH(P_LPD, s.hf_LP, kIf97), kIf97) - s.hf_LP) / kPumpEfficiency;
  const double T_IPP = TofPH(P_IPD, hIpPump, kIf97);
  s.h_IPP = HofTP(T_IPP, P_IPP, kIf97);
  s.h_IE = HofTP(T_IE, P_IPD, kIf97);
  s.hg_IP = Hg(s.Tsat_IP, kIf97);
  s.h_IS = HofTP(kIpSuperheaterOutlet, P_CRH, kIf97);

  // Turbines: HP exhaust mixes with the IP superheater steam in cold reheat; the LP superheater steam joins
  // the IP exhaust at the LP turbine inlet.
  s.h_HPX = cycle::TurbineOutletH(P_HPT, s.h_HS2, P_CRH, kTurbineEfficiency, kIf97);
  s.h_CRH = (s.h_HPX * F95 + s.h_IS * Fip) / (F95 + Fip);
  s.T_CRH = TofPH(P_CRH, s.h_CRH, kIf97);
  s.h_IPX = cycle::TurbineOutletH(P_IPT, s.h_RH2, P_LPT, kTurbineEfficiency, kIf97);
  s.h_LPI = (s.h_IPX * F95 + s.h_LS * Flp) / (F95 + Flp);
  const double P_cn = Psat(Tcn, kIf97);
  s.h_LPX = cycle::TurbineOutletH(P_LPT, s.h_LPI, P_cn, kTurbineEfficiency, kIf97);
  s.Qcn = (s.h_LPX - s.h_c) * (F95 + Flp);
  return s;
}

// ---- HRSG -------------------------------------------------------------------------------------------------

// Required UA of the LP, IP and HP levels (all 0 for an impossible state). The fourteen sections in gas
// order, with the duct burner between HP superheater 2 and reheater 1. From HP superheater 1 on, each
// section's cold end is paired with the water temperature forming the next section's hot end; HP
// superheater 2 and reheater 1 share the difference taken at the fired gas, after the duct burner.
std::array<double, 3> HrsgUa(const SteamSide& s, double Flp, double Fip, double Fhp, double Texh, double Fexh,
                             GasComposition x_exh, const cycle::GasChange<GasComposition>& ductBurner) {
  const double F95 = kReheatFraction * Fhp;
  const double Freheat = Fip + F95;
  const std::array<cycle::HrsgSection, 14> sections{{
      {(s.h_RH2 - s.h_RH1) * Freheat, kReheater2Outlet, kReheater1Outlet, kHp},        // reheater 2
      {(s.h_HS2 - s.h_HS1) * Fhp, kHpSuperheater2Outlet, kHpSuperheater1Outlet, kHp},  // HP superheater 2
      {(s.h_RH1 - s.h_CRH) * Freheat, kReheater1Outlet, s.T_CRH, kHp},                 // reheater 1
      {(s.h_HS1 - s.hg_HP) * Fhp, kHpSuperheater1Outlet, s.Tsat_HP, kHp},              // HP superheater 1
      {(s.hg_HP - s.h_HE3) * Fhp, s.Tsat_HP, s.Tsat_HP - 20.0, kHp},                   // HP evaporator
      {(s.h_HE3 - s.h_HE2) * Fhp, s.Tsat_HP - 20.0, kIpSuperheaterOutlet, kHp},        // HP economizer 3
      {(s.h_IS - s.hg_IP) * Fip, kIpSuperheaterOutlet, kLpSuperheaterOutlet, kIp},     // IP superheater
      {(s.h_LS - s.hg_LP) * Flp, kLpSuperheaterOutlet, s.Tsat_HP - 75.0, kLp},         // LP superheater
      {(s.h_HE2 - s.h_HE1) * Fhp, s.Tsat_HP - 75.0, s.Tsat_IP, kHp},                   // HP economizer 2
      {(s.hg_IP - s.h_IE) * Fip, s.Tsat_IP, s.Tsat_HP - 150.0, kIp},                   // IP evaporator
      {(s.h_HE1 - s.h_HPP) * Fhp, s.Tsat_HP - 150.0, s.Tsat_IP - 50.0, kHp},           // HP economizer 1
      {(s.h_IE - s.h_IPP) * Fip, s.Tsat_IP - 50.0, s.Tsat_LP, kIp},                    // IP economizer
      // The LP evaporator also heats the IP and HP feedwater to saturation before their pumps.
      {(s.hg_LP - s.h_LE) * Flp + (s.hf_LP - s.h_LE) * (Fip + Fhp), s.Tsat_LP, s.T_LE, kLp},  // LP evaporator
      {(s.h_LE - s.h_CP) * (Flp + Fip + Fhp), s.T_LE, s.T_CP, kLp},                           // LP economizer
  }};
  return cycle::HrsgUa<3>(sections, x_exh, Texh, Fexh, ductBurner);
}

void PrintComposition(std::FILE* out, const char* name, const GasComposition& x) {
  // Water vapour last, although it is the fourth species.
  std::fprintf(out, "%s: %6.4lf,%6.4lf,%6.4lf,%6.4lf,%6.4lf\n", name, x[0], x[1], x[2], x[4], x[3]);
}

}  // namespace

// ---- Moist air and combustion -----------------------------------------------------------------------------

double VapourPressure(double T) {
  const double x = (212.0 - T) / 212.0;
  const double N = x * (-4.20643 + x * (9.2336 + x * (-5.28903 + 0.105846 * x)));
  const double D = 1.0 + x * (-2.55181 + x * (2.03554 - 0.460382 * x));
  return 14.696 * std::exp(N / D) *
         (1.0 + 0.005 * x * (12.9658 + x * (-46.5043 + x * (70.0633 + x * (-48.4759 + 12.8616 * x)))));
}

double HumidityRatio(double P, double T, double RH) {
  constexpr double kEpsilon = 0.6219800100122563;  // molar mass of water over that of dry air
  const double Ps = VapourPressure(T);
  if (RH >= 1.0) return kEpsilon * Ps / (P - Ps);
  const double Pv = RH * Ps;
  double dryAirPressure = P - Pv;
  if (dryAirPressure < 0.01) dryAirPressure = 0.01;  // keeps a near-boiling ambient finite
  return kEpsilon * Pv / dryAirPressure;
}

GasComposition AmbientAir(double P, double T, double RH) {
  const double w = HumidityRatio(P, T, RH);
  const double y = w / (w + 1.0) * 28.9645 / 18.01534;  // water vapour mole fraction
  const double dry = 1.0 - y;
  return {0.7808 * dry, 0.2095 * dry, 0.0004 * dry, y, 0.0093 * dry};
}

GasComposition CombustionProducts(GasComposition x, double Fa, double Ff, double r) {
  const double m = r / (r + 1.0);
  // Per unit of fuel, (1 - m) burns to CO2 taking one O2 per CO2, and 0.5 m forms H2O taking 0.5 m of O2:
  // one O2 per H2O formed, the model's own factor (stoichiometric hydrogen takes half an O2 per H2O).
  GasComposition y{x[0] * Fa, x[1] * Fa - ((1.0 - m) + 0.5 * m) * Ff, x[2] * Fa + (1.0 - m) * Ff,
                   x[3] * Fa + 0.5 * m * Ff, x[4] * Fa};
  const double sum = y[0] + y[1] + y[2] + y[3] + y[4];
  for (double& v : y) v /= sum;
  return y;
}

// ---- One case ---------------------------------------------------------------------------------------------

PlantResult PlantCase(double P, double T, double RH, double Tcw, double Qdb, bool verbose, std::FILE* out) {
  // Gas turbine and the gas through the HRSG.
  const GasComposition x_air = AmbientAir(P, T, RH);
  if (verbose) PrintComposition(out, "ambient", x_air);
  const cycle::GtPoint gt = cycle::GtPerformance(P, T, RH, cycle::kGtEnglish);
  const double Q_GT = gt.output * gt.heatRate;  // BTU/hr
  const double mf_GT = Q_GT / kFuelHeatingValue;
  const double Fa = gt.exhaustFlow - mf_GT;
  const GasComposition x_exh = CombustionProducts(x_air, Fa, mf_GT, kFuelRatio);
  if (verbose) PrintComposition(out, "exhaust", x_exh);
  const double mf_DB = Qdb / kFuelHeatingValue;
  const GasComposition x_db = CombustionProducts(x_exh, Fa + mf_GT, mf_DB, kFuelRatio);
  if (verbose) PrintComposition(out, "ductbrn", x_db);
  const cycle::GasChange<GasComposition> ductBurner{
      cycle::GasChangeKind::DuctBurner, 1, Qdb, mf_DB, 0.0, x_db};

  // Steam flows LP, IP, HP (lbm/hr) and condenser temperature found by UA matching.
  std::array<double, 3> flows{gt.exhaustFlow / 500.0, gt.exhaustFlow / 120.0, gt.exhaustFlow / 12.0};
  double Tcn = Tcw + 40.0;
  cycle::UaDamping damping;
  if (verbose) std::fprintf(out, "it   Flp   Fip    Fhp Tcn   UAlp   UAip    UAhp\n");

  SteamSide s{};
  bool converged = false;
  for (int i = 0; i < cycle::kUaMatchingIterations && !converged; ++i) {
    if (verbose)
      std::fprintf(out, "%2i %5.0lf %5.0lf %6.0lf %3.0lf", i, flows[kLp], flows[kIp], flows[kHp], Tcn);
    s = WaterSteamStates(flows[kLp], flows[kIp], flows[kHp], Tcn);
    const std::array<double, 3> ua = HrsgUa(s, flows[kLp], flows[kIp], flows[kHp], gt.exhaustTemperature,
                                            gt.exhaustFlow, x_exh, ductBurner);
    if (verbose) std::fprintf(out, " %6.0lf %6.0lf %7.0lf\n", ua[kLp], ua[kIp], ua[kHp]);

    const double Tnew = Tcw + s.Qcn / kCondenserCapacity;
    const bool condenserSettled = std::fabs(Tcn - Tnew) < kCondenserTolerance;
    switch (cycle::UaMatching(flows, ua, kTargetUa, kUaTolerance, damping, condenserSettled)) {
      case cycle::UaStep::Converged: converged = true; break;
      case cycle::UaStep::Updated: Tcn = (Tnew + Tcn) * 0.5; break;
      case cycle::UaStep::Failed: break;
    }
  }
  if (!converged) std::fprintf(out, "%s", cycle::kNotConvergedMessage);

  // Results from the current flows and the states of the last evaluation.
  const double Flp = flows[kLp], Fip = flows[kIp], Fhp = flows[kHp];
  const double F95 = kReheatFraction * Fhp;
  PlantResult r{};
  r.hpTurbine = (s.h_HS2 - s.h_HPX) * Fhp / cycle::kBtuPerHrPerKw;
  r.ipTurbine = (s.h_RH2 - s.h_IPX) * F95 / cycle::kBtuPerHrPerKw;
  r.lpTurbine = (s.h_LPI - s.h_LPX) * (F95 + Flp) / cycle::kBtuPerHrPerKw;
  r.condensatePump = (s.h_CP - s.h_c) * (F95 + Flp) / cycle::kBtuPerHrPerKw;
  r.ipFeedPump = (s.h_IPP - s.hf_LP) * Fip / cycle::kBtuPerHrPerKw;
  r.hpFeedPump = (s.h_HPP - s.hf_LP) * Fhp / cycle::kBtuPerHrPerKw;
  const double gross = r.hpTurbine + r.ipTurbine + r.lpTurbine;
  const double auxiliaries = 0.007 * gross + 100.0;
  r.gasTurbine = gt.output;
  r.steamTurbine = gross - auxiliaries - r.condensatePump - r.ipFeedPump - r.hpFeedPump;
  r.total = r.steamTurbine + r.gasTurbine;
  r.heatRate = (Q_GT + Qdb) / r.total;
  r.gtFuel = mf_GT;
  r.ductBurnerFuel = mf_DB;
  r.converged = converged;
  if (verbose) {
    std::fprintf(out, "GT=%.0lf kW, ST=%.0lf kW, total=%.0lf kW\n", r.gasTurbine, r.steamTurbine, r.total);
    std::fprintf(out, "Heat Rate=%.0lf BTU/kWh\n", r.heatRate);
    std::fprintf(out, "fuel: GT=%.0lf, DB=%.0lf\n", mf_GT, mf_DB);
  }
  return r;
}

}  // namespace brimwater::cc3p
