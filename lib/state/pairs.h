// The state interface's solvers in internal units (K, MPa, kJ/kg, kJ/(kg K)), one per input pair, each
// serving every formulation through its table. The public functions convert units around them.
#ifndef BRIMWATER_STATE_PAIRS_H
#define BRIMWATER_STATE_PAIRS_H

#include "brimwater/state.h"
#include "state/formulation.h"

namespace brimwater::state {

State SolveTP(const Formulation& f, double T, double P);
State SolvePH(const Formulation& f, double P, double h);
State SolvePS(const Formulation& f, double P, double s);
State SolveHS(const Formulation& f, double h, double s);
State SolveTX(const Formulation& f, double T, double x);
State SolvePX(const Formulation& f, double P, double x);

// A state with every number NaN and the given status.
State Failed(Status status);

}  // namespace brimwater::state

#endif  // BRIMWATER_STATE_PAIRS_H
