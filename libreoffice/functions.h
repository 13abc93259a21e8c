// The worksheet functions as Calc's Function Wizard shows them: the Excel add-in's function names, argument
// names and help texts (in UTF-8), so that both spreadsheets describe each function alike, and BwState in the
// same manner. Plain data, free of UNO types, so that the tests can compare it with the Excel add-in's
// registration table.
#ifndef BRIMWATER_LIBREOFFICE_FUNCTIONS_H
#define BRIMWATER_LIBREOFFICE_FUNCTIONS_H

#include <array>
#include <cstddef>
#include <string_view>

namespace brimwater::calc {

struct Argument {
  std::string_view name;
  std::string_view help;
};

struct Function {
  std::string_view name;  // the method of XBrimwater, the worksheet name and the Excel add-in's name
  std::string_view help;
  std::size_t argumentCount;
  std::array<Argument, 5> arguments;
};

// The fifteen functions, in the Excel add-in's registration order, then BwState, which it lacks.
extern const std::array<Function, 16> kFunctions;

// The function of that exact name, or nullptr.
const Function* FindFunction(std::string_view name);

// The argument at that position of the function of that exact name, or nullptr.
const Argument* FindArgument(std::string_view functionName, std::size_t position);

}  // namespace brimwater::calc

#endif  // BRIMWATER_LIBREOFFICE_FUNCTIONS_H
