// Checks the test workbook as LibreOffice Calc computed it (exported to CSV) against the library.
//
//   calc_check FILE.csv
//
// Columns: case, expect, a, b, formulation, result, formula (the result's formula as FORMULA() shows it).
// "library" rows must hold the library's value of the function in the formula, at the row's own cells, to
// 1e-12 relative; where that value is NaN or infinite, Calc's #NUM!. "nonfinite" rows are library rows whose
// value must be NaN or infinite. Any other expectation is the cell's exact text (a Calc error). Every
// function must appear in library rows with an English and an SI code. Exit status 0 when all agree.
#include <brimwater/props.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using OneArgument = double (*)(double, brimwater::FormulationCode);
using TwoArguments = double (*)(double, double, brimwater::FormulationCode);

struct Function {
  OneArgument one = nullptr;
  TwoArguments two = nullptr;
};

// Calc shows each worksheet function under its name in capitals.
const std::map<std::string, Function> kFunctions = {
    {"PSAT", {brimwater::Psat, nullptr}},   {"TSAT", {brimwater::Tsat, nullptr}},
    {"VF", {brimwater::Vf, nullptr}},       {"VG", {brimwater::Vg, nullptr}},
    {"HF", {brimwater::Hf, nullptr}},       {"HG", {brimwater::Hg, nullptr}},
    {"SF", {brimwater::Sf, nullptr}},       {"SG", {brimwater::Sg, nullptr}},
    {"VOFTP", {nullptr, brimwater::VofTP}}, {"HOFTP", {nullptr, brimwater::HofTP}},
    {"SOFTP", {nullptr, brimwater::SofTP}}, {"TOFPH", {nullptr, brimwater::TofPH}},
    {"SOFPH", {nullptr, brimwater::SofPH}}, {"TOFPS", {nullptr, brimwater::TofPS}},
    {"HOFPS", {nullptr, brimwater::HofPS}},
};

constexpr double kRelativeTolerance = 1e-12;
// Calc's text for a cell whose value is NaN or infinite.
constexpr char kNotFinite[] = "#NUM!";

enum Column { kCase, kExpect, kA, kB, kFormulation, kResult, kFormula, kColumns };

// One CSV record: fields separated by commas, quoted fields with "" for a quote. Calc writes no line breaks
// inside the fields of this workbook.
std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::optional<double> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

// An argument as Calc passes it: an empty cell is 0.
std::optional<double> ArgumentValue(const std::string& text) {
  return text.empty() ? std::optional<double>(0.0) : ParseNumber(text);
}

// The formulation as Calc passes a number to an integer argument: truncated toward zero.
std::optional<brimwater::FormulationCode> CodeValue(const std::string& text) {
  const std::optional<double> value = ArgumentValue(text);
  if (!value) return std::nullopt;
  const double whole = std::trunc(*value);
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return std::nullopt;
  return static_cast<brimwater::FormulationCode>(whole);
}

std::string Format(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// The function name and the argument list of a formula text such as "=HOFTP(C9,D9,E9)".
bool SplitFormula(const std::string& formula, std::string& name, std::string& arguments) {
  const std::size_t open = formula.find('(');
  if (formula.size() < 3 || formula[0] != '=' || open == std::string::npos || formula.back() != ')')
    return false;
  name = formula.substr(1, open - 1);
  arguments = formula.substr(open + 1, formula.size() - open - 2);
  for (char& c : arguments) {
    if (c == ';') c = ',';  // the separator of locales with a decimal comma
  }
  return true;
}

// Why a library row disagrees, or nothing.
std::optional<std::string> CheckLibraryRow(const std::vector<std::string>& row, int line,
                                           bool mustBeNonFinite, std::set<std::string>& covered) {
  std::string name;
  std::string arguments;
  if (!SplitFormula(row[kFormula], name, arguments)) return "the formula text is '" + row[kFormula] + "'";
  const auto function = kFunctions.find(name);
  if (function == kFunctions.end()) return "'" + name + "' is not a Brimwater function";
  const std::string n = std::to_string(line);
  const std::string own = function->second.one ? "C" + n + ",E" + n : "C" + n + ",D" + n + ",E" + n;
  if (arguments != own) return "the formula's arguments are " + arguments + ", not the row's own " + own;

  const std::optional<double> a = ArgumentValue(row[kA]);
  const std::optional<double> b = ArgumentValue(row[kB]);
  const std::optional<brimwater::FormulationCode> code = CodeValue(row[kFormulation]);
  if (!a || !b || !code) return "the arguments are not numbers";
  const double expected =
      function->second.one ? function->second.one(*a, *code) : function->second.two(*a, *b, *code);
  if (mustBeNonFinite && std::isfinite(expected))
    return "the library's value " + Format(expected) + " is finite";
  if (*code == 67 || *code == 69 || *code == 84 || *code == 95 || *code == 97)
    covered.insert(name + " English");
  if (*code == -67 || *code == -69 || *code == -84 || *code == -95 || *code == -97)
    covered.insert(name + " SI");

  const std::string& result = row[kResult];
  if (result == "stale") return "the cell was not recalculated (it shows its cached text)";
  if (!std::isfinite(expected)) {
    if (result == kNotFinite) return std::nullopt;
    return "Calc shows '" + result + "', the library gives " + Format(expected);
  }
  const std::optional<double> value = ParseNumber(result);
  if (!value) return "Calc shows '" + result + "', the library gives " + Format(expected);
  if (std::fabs(*value - expected) > kRelativeTolerance * std::fabs(expected)) {
    return "Calc shows " + result + ", the library gives " + Format(expected);
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: calc_check FILE.csv\n";
    return 2;
  }
  std::ifstream input(argv[1]);
  if (!input) {
    std::cerr << "calc_check: cannot read " << argv[1] << "\n";
    return 2;
  }

  std::string line;
  std::getline(input, line);  // the column headings
  int lineNumber = 1;
  int libraryRows = 0;
  int errorRows = 0;
  int failures = 0;
  std::set<std::string> covered;
  while (std::getline(input, line)) {
    ++lineNumber;
    std::vector<std::string> row = SplitCsv(line);
    row.resize(kColumns);
    std::optional<std::string> failure;
    const std::string& expect = row[kExpect];
    if (expect == "library" || expect == "nonfinite") {
      ++libraryRows;
      failure = CheckLibraryRow(row, lineNumber, expect == "nonfinite", covered);
    } else {
      ++errorRows;
      if (row[kResult] != expect) failure = "Calc shows '" + row[kResult] + "', expected '" + expect + "'";
    }
    if (failure) {
      ++failures;
      std::cout << "row " << lineNumber << " (" << row[kCase] << "): " << *failure << "\n";
    }
  }

  for (const auto& function : kFunctions) {
    for (const char* units : {" English", " SI"}) {
      if (covered.count(function.first + units) == 0) {
        ++failures;
        std::cout << "the workbook never calls " << function.first << " in" << units << " units\n";
      }
    }
  }
  if (libraryRows + errorRows == 0) {
    std::cout << "the CSV file holds no rows\n";
    return 1;
  }
  std::cout << libraryRows << " results compared with the library (" << kRelativeTolerance << " relative), "
            << errorRows << " expected Calc errors: " << failures << " disagreements\n";
  return failures == 0 ? 0 : 1;
}
