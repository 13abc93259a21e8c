// One call of a property function from Python: scalars straight through, arrays broadcast and walked in C++
// with the GIL released, across threads when they are large.
//
// A function with several results (a state: one array per property and a status array) joins the same way:
// PrepareArguments, one ResultArray per result of the broadcast shape, and ForEachBroadcastElement with an
// element that writes each of them at index i.
#ifndef BRIMWATER_PYTHON_EVALUATE_H
#define BRIMWATER_PYTHON_EVALUATE_H

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "arguments.h"
#include "elementwise.h"

namespace brimwater::python {

// Calls element(x, i) for every element of the broadcast arguments, outside the GIL, split across threads
// of at least `min_per_thread` elements each. The element must not touch Python objects and must not throw.
template <std::size_t N, class Element>
void ForEachBroadcastElement(const Broadcast<N>& b, std::size_t threads, const Element& element,
                             std::size_t min_per_thread = kMinElementsPerThread) {
  if (b.size == 0) return;
  const py::gil_scoped_release released;
  RunInChunks(b.size, threads, min_per_thread,
              [&b, &element](std::size_t begin, std::size_t end) { ForEachElement(b, begin, end, element); });
}

template <std::size_t N>
bool AnyNaN(const std::array<double, N>& x) {
  for (const double value : x) {
    if (std::isnan(value)) return true;
  }
  return false;
}

// A property function of N arguments and the code, called as value(x, code) with x the N arguments. A NaN
// argument gives NaN whatever the formulation would make of it, so a missing value stays missing.
template <std::size_t N, class Function>
py::object EvaluateProperty(const Function& function, const std::array<py::handle, N>& arguments,
                            const std::array<const char*, N>& names, py::handle formulation,
                            py::handle threads) {
  const FormulationCode code = FormulationArgument(formulation);
  const auto value = [&function, code](const std::array<double, N>& x) {
    return AnyNaN(x) ? std::numeric_limits<double>::quiet_NaN() : function(x, code);
  };

  std::array<double, N> x{};
  bool plain = true;
  for (std::size_t k = 0; k < N && plain; ++k) plain = PlainScalar(arguments[k], x[k]);
  if (plain) {
    if (!threads.is_none()) ThreadsArgument(threads);  // checked all the same
    return py::float_(value(x));
  }

  const std::size_t thread_count = ThreadsArgument(threads);
  const PropertyArguments<N> prepared = PrepareArguments(arguments, names);
  if (prepared.scalars) {
    double result = 0.0;
    ForEachElement(prepared.broadcast, 0, 1,
                   [&](const std::array<double, N>& y, std::size_t) { result = value(y); });
    return py::float_(result);
  }
  py::array_t<double> results = ResultArray<double>(prepared.broadcast);
  double* const out = results.mutable_data();
  ForEachBroadcastElement(
      prepared.broadcast, thread_count,
      [&value, out](const std::array<double, N>& y, std::size_t i) { out[i] = value(y); });
  return std::move(results);
}

}  // namespace brimwater::python

#endif  // BRIMWATER_PYTHON_EVALUATE_H
