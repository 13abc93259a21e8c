#include "support/ifc67_subregions.h"

#include "ifc67/ifc67.h"

namespace brimwater::ifc67 {

double Zeta1(double theta, double beta) { return Subregion1Gibbs(theta, beta).f; }
double Chi1(double theta, double beta) { return Subregion1State(theta, beta).chi; }
double Eps1(double theta, double beta) { return Subregion1State(theta, beta).eps; }
double Sigma1(double theta, double beta) { return Subregion1State(theta, beta).sigma; }

double Zeta2(double theta, double beta) { return Subregion2Gibbs(theta, beta).f; }
double Chi2(double theta, double beta) { return Subregion2State(theta, beta).chi; }
double Eps2(double theta, double beta) { return Subregion2State(theta, beta).eps; }
double Sigma2(double theta, double beta) { return Subregion2State(theta, beta).sigma; }

double Psi3(double theta, double chi) { return Subregion3Helmholtz(theta, chi).f; }
double Beta3(double theta, double chi) { return Beta3OnIsotherm(MakeSubregionIsotherm(theta), chi); }
double Eps3(double theta, double chi) { return Subregion3State(theta, chi).eps; }
double Sigma3(double theta, double chi) { return Subregion3State(theta, chi).sigma; }

double Psi4(double theta, double chi) { return Subregion4Helmholtz(theta, chi).f; }
double Beta4(double theta, double chi) { return Beta4OnIsotherm(MakeSubregionIsotherm(theta), chi); }
double Eps4(double theta, double chi) { return Subregion4State(theta, chi).eps; }
double Sigma4(double theta, double chi) { return Subregion4State(theta, chi).sigma; }

}  // namespace brimwater::ifc67
