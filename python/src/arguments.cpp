#include "arguments.h"

#include <string>
#include <thread>
#include <type_traits>

#ifdef __linux__
#include <sched.h>
#endif

namespace brimwater::python {

static_assert(std::is_same_v<py::ssize_t, std::ptrdiff_t>,
              "NumPy's shapes and strides are read as ptrdiff_t");

namespace {

// The five formulations; a code selects one by its absolute value, its sign the units.
constexpr long kFormulationNumbers[] = {67, 69, 84, 95, 97};

bool NamesFormulation(long long code) {
  for (const long number : kFormulationNumbers) {
    if (code == number || code == -number) return true;
  }
  return false;
}

// The value of a Python or NumPy integer; false for anything else, bools and arrays included. `overflow` is
// the sign of a value beyond the range of long long, as PyLong_AsLongLongAndOverflow reports it.
bool IntegerValue(py::handle object, long long& value, int& overflow) {
  PyObject* const o = object.ptr();
  if (PyLong_CheckExact(o)) {
    value = PyLong_AsLongLongAndOverflow(o, &overflow);
    return true;
  }
  if (PyBool_Check(o) || py::isinstance<py::array>(object) || !PyIndex_Check(o)) return false;
  const auto integer = py::reinterpret_steal<py::object>(PyNumber_Index(o));
  if (!integer) throw py::error_already_set();
  value = PyLong_AsLongLongAndOverflow(integer.ptr(), &overflow);
  return true;
}

std::string TypeName(py::handle object) { return py::str(py::type::handle_of(object).attr("__name__")); }

std::size_t ProcessorsAvailable() {
#ifdef __linux__
  // The processors this process may run on (taskset, cgroup cpusets), which may be fewer than the machine's.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return static_cast<std::size_t>(count);
  }
#endif
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? count : 1;
}

}  // namespace

FormulationCode FormulationArgument(py::handle formulation) {
  long long code = 0;
  int overflow = 0;
  if (!IntegerValue(formulation, code, overflow)) {
    throw py::type_error(
        "formulation must be one integer code (67, 69, 84, 95 or 97, negative for SI units), not " +
        TypeName(formulation));
  }
  if (overflow != 0 || !NamesFormulation(code)) {
    throw py::value_error("unsupported formulation code " + std::string(py::str(formulation)) +
                          ": use 67 (IFC-67), 69 (KKHM 1969), 84 (NBS/NRC 1984), 95 (IAPWS-95) or 97 "
                          "(IAPWS-IF97), positive for English units, negative for SI units");
  }
  return static_cast<FormulationCode>(code);
}

std::size_t ThreadsArgument(py::handle threads) {
  if (threads.is_none()) return ProcessorsAvailable();
  long long count = 0;
  int overflow = 0;
  if (!IntegerValue(threads, count, overflow)) {
    throw py::type_error("threads must be an integer or None, not " + TypeName(threads));
  }
  if (overflow < 0 || (overflow == 0 && count < 1)) {
    throw py::value_error("threads must be at least 1, not " + std::string(py::str(threads)));
  }
  if (overflow > 0 || static_cast<unsigned long long>(count) > kMaxThreads) return kMaxThreads;
  return static_cast<std::size_t>(count);
}

bool PlainScalar(py::handle argument, double& value) {
  PyObject* object = argument.ptr();
  if (PyFloat_Check(object)) {  // also NumPy's float64, a float subclass
    value = PyFloat_AS_DOUBLE(object);
    return true;
  }
  if (PyLong_CheckExact(object)) {
    value = PyLong_AsDouble(object);
    if (value == -1.0 && PyErr_Occurred()) throw py::error_already_set();  // beyond the range of a double
    return true;
  }
  return false;
}

py::array_t<double> Float64Argument(py::handle argument, const char* name) {
  const py::module_ numpy = py::module_::import("numpy");
  const py::array any = numpy.attr("asarray")(argument);
  const char kind = any.dtype().kind();
  // Signed and unsigned integers and floating point; bools, complex numbers, strings, dates and objects are
  // not property arguments.
  if (kind != 'f' && kind != 'i' && kind != 'u') {
    throw py::type_error(std::string(name) + " must be a number or an array of numbers, not " +
                         (py::isinstance<py::array>(argument)
                              ? "an array of dtype " + std::string(py::str(any.dtype()))
                              : TypeName(argument)));
  }
  return py::array_t<double>(any);  // no copy when it already holds native float64
}

bool IsScalarArgument(py::handle argument, const py::array& converted) {
  return converted.ndim() == 0 && !py::isinstance<py::array>(argument);
}

void ThrowShapeMismatch(const py::array* arrays, std::size_t count) {
  std::string shapes;
  for (std::size_t k = 0; k < count; ++k) {
    const py::array& a = arrays[k];
    if (a.ndim() > kMaxDimensions) {
      throw py::value_error("an argument has " + std::to_string(a.ndim()) + " dimensions, more than " +
                            std::to_string(kMaxDimensions));
    }
    py::tuple shape(a.ndim());
    for (py::ssize_t d = 0; d < a.ndim(); ++d) shape[static_cast<std::size_t>(d)] = py::int_(a.shape(d));
    shapes += ' ' + std::string(py::str(shape));
  }
  throw py::value_error("operands could not be broadcast together with shapes" + shapes);
}

}  // namespace brimwater::python
