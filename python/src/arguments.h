// Python arguments to what the element loop needs: the formulation code, the thread count, and the property
// arguments as float64 arrays broadcast against one another. Every check happens here, before any work.
#ifndef BRIMWATER_PYTHON_ARGUMENTS_H
#define BRIMWATER_PYTHON_ARGUMENTS_H

#include <brimwater/props.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <vector>

#include "elementwise.h"

namespace brimwater::python {

namespace py = pybind11;

// The code as one Python integer. TypeError for anything else (a float, a bool, an array); ValueError for
// an integer that names no formulation.
FormulationCode FormulationArgument(py::handle formulation);

// threads=: None means every processor this process may run on; otherwise an integer of at least 1.
std::size_t ThreadsArgument(py::handle threads);

// The value of a Python float or int (not bool), the common scalar case, without making an array. False for
// anything else, which then goes the array way.
bool PlainScalar(py::handle argument, double& value);

// One property argument as a float64 array: numbers of any integer or floating dtype are converted,
// anything else (strings, bools, complex, objects) raises TypeError naming the argument.
py::array_t<double> Float64Argument(py::handle argument, const char* name);

// True when the argument is not a NumPy array and holds a single number (a Python or NumPy scalar).
bool IsScalarArgument(py::handle argument, const py::array& converted);

// Raises ValueError in NumPy's words when the shapes do not broadcast.
[[noreturn]] void ThrowShapeMismatch(const py::array* arrays, std::size_t count);

// The property arguments of one call, converted and broadcast. `scalars` is true when no argument was an
// array: the call then returns a float.
template <std::size_t N>
struct PropertyArguments {
  std::array<py::array_t<double>, N> arrays;
  bool scalars = true;
  Broadcast<N> broadcast;
};

template <std::size_t N>
PropertyArguments<N> PrepareArguments(const std::array<py::handle, N>& arguments,
                                      const std::array<const char*, N>& names) {
  PropertyArguments<N> prepared;
  std::array<ArgumentView, N> views;
  for (std::size_t k = 0; k < N; ++k) {
    py::array_t<double>& a = prepared.arrays[k];
    a = Float64Argument(arguments[k], names[k]);
    prepared.scalars = prepared.scalars && IsScalarArgument(arguments[k], a);
    views[k] = ArgumentView{reinterpret_cast<const char*>(a.data()), static_cast<int>(a.ndim()), a.shape(),
                            a.strides()};
  }
  if (!BroadcastArguments(views, prepared.broadcast)) ThrowShapeMismatch(prepared.arrays.data(), N);
  return prepared;
}

// An array of the broadcast shape, C order, for the results.
template <class T, std::size_t N>
py::array_t<T> ResultArray(const Broadcast<N>& b) {
  return py::array_t<T>(std::vector<py::ssize_t>(b.shape.begin(), b.shape.begin() + b.ndim));
}

}  // namespace brimwater::python

#endif  // BRIMWATER_PYTHON_ARGUMENTS_H
