// The six state functions of <brimwater/state.h> for Python, with the names of the library's statuses,
// phases and transport forms.
#ifndef BRIMWATER_PYTHON_STATE_FUNCTIONS_H
#define BRIMWATER_PYTHON_STATE_FUNCTIONS_H

#include <pybind11/pybind11.h>

namespace brimwater::python {

// Adds StateOfTP ... StateOfPX, STATE_FIELDS, StatusName, PhaseName and TransportFormName to the module.
void DefineStateFunctions(pybind11::module_& m);

}  // namespace brimwater::python

#endif  // BRIMWATER_PYTHON_STATE_FUNCTIONS_H
