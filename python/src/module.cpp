// brimwater._core: the fifteen property functions and the six state functions for Python. Each takes scalars
// or NumPy arrays, broadcasts them and returns a float or an array (a state: one per field); the library
// computes every value. The package brimwater wraps them.
#include <brimwater/props.h>
#include <pybind11/pybind11.h>

#include <array>

#include "evaluate.h"
#include "state_functions.h"

namespace brimwater::python {
namespace {

using OneArgument = double (*)(double, FormulationCode);
using TwoArguments = double (*)(double, double, FormulationCode);

// Each function takes its arguments, the code and the thread count, all positional; the package's Python
// functions give them their keywords, defaults and documentation. The argument names go into error messages.
template <OneArgument F>
void DefineOne(py::module_& m, const char* name, const char* argument) {
  m.def(name, [argument](py::handle a, py::handle formulation, py::handle threads) {
    return EvaluateProperty<1>(
        [](const std::array<double, 1>& x, FormulationCode code) { return F(x[0], code); }, {a}, {argument},
        formulation, threads);
  });
}

template <TwoArguments F>
void DefineTwo(py::module_& m, const char* name, const char* first, const char* second) {
  m.def(name, [first, second](py::handle a, py::handle b, py::handle formulation, py::handle threads) {
    return EvaluateProperty<2>(
        [](const std::array<double, 2>& x, FormulationCode code) { return F(x[0], x[1], code); }, {a, b},
        {first, second}, formulation, threads);
  });
}

}  // namespace
}  // namespace brimwater::python

PYBIND11_MODULE(_core, m) {
  namespace bp = brimwater::python;
  namespace bw = brimwater;
  m.doc() =
      "The compiled part of the brimwater package: the element loops of the fifteen property functions and "
      "of the six state functions.";
  m.attr("__version__") = BRIMWATER_VERSION;

  bp::DefineOne<bw::Psat>(m, "Psat", "Ts");
  bp::DefineOne<bw::Tsat>(m, "Tsat", "Ps");
  bp::DefineOne<bw::Vf>(m, "Vf", "Ts");
  bp::DefineOne<bw::Vg>(m, "Vg", "Ts");
  bp::DefineOne<bw::Hf>(m, "Hf", "Ts");
  bp::DefineOne<bw::Hg>(m, "Hg", "Ts");
  bp::DefineOne<bw::Sf>(m, "Sf", "Ts");
  bp::DefineOne<bw::Sg>(m, "Sg", "Ts");
  bp::DefineTwo<bw::VofTP>(m, "VofTP", "T", "P");
  bp::DefineTwo<bw::HofTP>(m, "HofTP", "T", "P");
  bp::DefineTwo<bw::SofTP>(m, "SofTP", "T", "P");
  bp::DefineTwo<bw::TofPH>(m, "TofPH", "P", "H");
  bp::DefineTwo<bw::SofPH>(m, "SofPH", "P", "H");
  bp::DefineTwo<bw::TofPS>(m, "TofPS", "P", "S");
  bp::DefineTwo<bw::HofPS>(m, "HofPS", "P", "S");

  bp::DefineStateFunctions(m);
}
