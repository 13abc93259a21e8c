// The IFC-67 sub-region equations one property at a time, for the tests that check each against finite
// differences of its characteristic function or against a published value. The kernel evaluates a state in
// one pass (SubregionNState); these read one field of it.
#ifndef BRIMWATER_TESTS_SUPPORT_IFC67_SUBREGIONS_H
#define BRIMWATER_TESTS_SUPPORT_IFC67_SUBREGIONS_H

namespace brimwater::ifc67 {

// Sub-regions 1 and 2: zeta(theta, beta) and chi, eps, sigma.
double Zeta1(double theta, double beta);
double Chi1(double theta, double beta);
double Eps1(double theta, double beta);
double Sigma1(double theta, double beta);
double Zeta2(double theta, double beta);
double Chi2(double theta, double beta);
double Eps2(double theta, double beta);
double Sigma2(double theta, double beta);

// Sub-regions 3 and 4: psi(theta, chi) and beta, eps, sigma; beta as the volume solvers evaluate it.
double Psi3(double theta, double chi);
double Beta3(double theta, double chi);
double Eps3(double theta, double chi);
double Sigma3(double theta, double chi);
double Psi4(double theta, double chi);
double Beta4(double theta, double chi);
double Eps4(double theta, double chi);
double Sigma4(double theta, double chi);

}  // namespace brimwater::ifc67

#endif  // BRIMWATER_TESTS_SUPPORT_IFC67_SUBREGIONS_H
