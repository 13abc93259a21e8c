// The state functions: two arguments broadcast as for the fifteen functions, and one result per field of the
// state, all of the broadcast shape: float64 arrays for the numbers, int32 arrays for the phase, region,
// statuses and transport form (Python floats and ints when every argument is a scalar). The results go back
// to Python as one tuple in the order of STATE_FIELDS, which the package's State names. Every element is the
// library's own State, field for field: a NaN or otherwise invalid argument is the library's to judge.
#include "state_functions.h"

#include <brimwater/state.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "arguments.h"
#include "evaluate.h"

namespace brimwater::python {
namespace {

using StateFunction = State (*)(double, double, FormulationCode);

struct NumberField {
  const char* name;
  double State::*value;
};

constexpr NumberField kNumberFields[] = {
    {"T", &State::T},           {"P", &State::P},         {"v", &State::v},   {"rho", &State::rho},
    {"h", &State::h},           {"s", &State::s},         {"u", &State::u},   {"cp", &State::cp},
    {"cv", &State::cv},         {"w", &State::w},         {"x", &State::x},   {"mu", &State::mu},
    {"lambda", &State::lambda}, {"sigma", &State::sigma}, {"nu", &State::nu}, {"alpha", &State::alpha},
    {"Pr", &State::Pr},
};
constexpr const char* kIntegerFields[] = {"phase", "region", "status", "transport", "transport_status"};

constexpr std::size_t kNumbers = std::size(kNumberFields);
constexpr std::size_t kIntegers = std::size(kIntegerFields);

// The integer fields in the order of kIntegerFields, the enumerations as their values.
std::array<std::int32_t, kIntegers> Integers(const State& state) {
  return {static_cast<std::int32_t>(state.phase), static_cast<std::int32_t>(state.region),
          static_cast<std::int32_t>(state.status), static_cast<std::int32_t>(state.transport),
          static_cast<std::int32_t>(state.transport_status)};
}

py::tuple ScalarResult(const State& state) {
  py::tuple result(kNumbers + kIntegers);
  std::size_t k = 0;
  for (const NumberField& field : kNumberFields) result[k++] = py::float_(state.*field.value);
  for (const std::int32_t value : Integers(state)) result[k++] = py::int_(value);
  return result;
}

py::tuple EvaluateState(StateFunction function, py::handle a, py::handle b,
                        const std::array<const char*, 2>& names, py::handle formulation, py::handle threads) {
  const FormulationCode code = FormulationArgument(formulation);

  std::array<double, 2> x{};
  if (PlainScalar(a, x[0]) && PlainScalar(b, x[1])) {
    if (!threads.is_none()) ThreadsArgument(threads);  // checked all the same
    return ScalarResult(function(x[0], x[1], code));
  }

  const std::size_t thread_count = ThreadsArgument(threads);
  const PropertyArguments<2> prepared = PrepareArguments<2>({a, b}, names);
  if (prepared.scalars) {
    State state{};
    ForEachElement(prepared.broadcast, 0, 1,
                   [&](const std::array<double, 2>& y, std::size_t) { state = function(y[0], y[1], code); });
    return ScalarResult(state);
  }

  py::tuple result(kNumbers + kIntegers);
  std::array<double*, kNumbers> numbers{};
  std::array<std::int32_t*, kIntegers> integers{};
  for (std::size_t k = 0; k < kNumbers; ++k) {
    py::array_t<double> array = ResultArray<double>(prepared.broadcast);
    numbers[k] = array.mutable_data();
    result[k] = std::move(array);
  }
  for (std::size_t k = 0; k < kIntegers; ++k) {
    py::array_t<std::int32_t> array = ResultArray<std::int32_t>(prepared.broadcast);
    integers[k] = array.mutable_data();
    result[kNumbers + k] = std::move(array);
  }
  ForEachBroadcastElement(
      prepared.broadcast, thread_count,
      [&](const std::array<double, 2>& y, std::size_t i) {
        const State state = function(y[0], y[1], code);
        for (std::size_t k = 0; k < kNumbers; ++k) numbers[k][i] = state.*kNumberFields[k].value;
        const std::array<std::int32_t, kIntegers> values = Integers(state);
        for (std::size_t k = 0; k < kIntegers; ++k) integers[k][i] = values[k];
      },
      kMinStatesPerThread);
  return result;
}

// As the fifteen: the arguments, the code and the thread count, all positional; the package gives them
// their keywords, defaults and documentation.
void DefineState(py::module_& m, const char* name, StateFunction function, const char* first,
                 const char* second) {
  m.def(name,
        [function, first, second](py::handle a, py::handle b, py::handle formulation, py::handle threads) {
          return EvaluateState(function, a, b, {first, second}, formulation, threads);
        });
}

}  // namespace

void DefineStateFunctions(py::module_& m) {
  DefineState(m, "StateOfTP", StateOfTP, "T", "P");
  DefineState(m, "StateOfPH", StateOfPH, "P", "h");
  DefineState(m, "StateOfPS", StateOfPS, "P", "s");
  DefineState(m, "StateOfHS", StateOfHS, "h", "s");
  DefineState(m, "StateOfTX", StateOfTX, "T", "x");
  DefineState(m, "StateOfPX", StateOfPX, "P", "x");

  py::tuple fields(kNumbers + kIntegers);
  std::size_t k = 0;
  for (const NumberField& field : kNumberFields) fields[k++] = py::str(field.name);
  for (const char* name : kIntegerFields) fields[k++] = py::str(name);
  m.attr("STATE_FIELDS") = fields;

  // The library's names, for any value of the enumeration's underlying int, as the C++ functions give them.
  m.def("StatusName", [](int status) { return StatusName(static_cast<Status>(status)); });
  m.def("PhaseName", [](int phase) { return PhaseName(static_cast<Phase>(phase)); });
  m.def("TransportFormName", [](int form) { return TransportFormName(static_cast<TransportForm>(form)); });
}

}  // namespace brimwater::python
