// Checks the test workbook as LibreOffice Calc computed it (exported to CSV) against the library.
//
//   calc_check FILE.csv
//
// Columns: case, expect, a, b, formulation, result, formula (the result's formula as FORMULA() shows it).
// "library" rows must hold the library's value of the function in the formula, at the row's own cells, to
// 1e-12 relative; where that value is NaN or infinite, Calc's #NUM!. BWSTATE names its property and pair as
// text literals ahead of the row's cells; a state that the state interface reports as failed must show
// Err:502 (unsupported code, invalid argument) or Err:523 (no solution). "nonfinite" rows are library rows
// whose value must be NaN or infinite (for BWSTATE: of a state that was found). Any other expectation is the
// cell's exact text (a Calc error). Every function, and every property of BWSTATE, must appear in library
// rows with an English and an SI code, and every input pair of BWSTATE at least once. Exit status 0 when all
// agree.
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <cctype>
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

// BWSTATE's properties by their names in small letters, read from a state independently of the extension.
using StateReader = double (*)(const brimwater::State&);
const std::map<std::string, StateReader> kStateProperties = {
    {"t", [](const brimwater::State& s) { return s.T; }},
    {"p", [](const brimwater::State& s) { return s.P; }},
    {"v", [](const brimwater::State& s) { return s.v; }},
    {"rho", [](const brimwater::State& s) { return s.rho; }},
    {"h", [](const brimwater::State& s) { return s.h; }},
    {"s", [](const brimwater::State& s) { return s.s; }},
    {"u", [](const brimwater::State& s) { return s.u; }},
    {"cp", [](const brimwater::State& s) { return s.cp; }},
    {"cv", [](const brimwater::State& s) { return s.cv; }},
    {"w", [](const brimwater::State& s) { return s.w; }},
    {"x", [](const brimwater::State& s) { return s.x; }},
    {"mu", [](const brimwater::State& s) { return s.mu; }},
    {"lambda", [](const brimwater::State& s) { return s.lambda; }},
    {"sigma", [](const brimwater::State& s) { return s.sigma; }},
    {"nu", [](const brimwater::State& s) { return s.nu; }},
    {"alpha", [](const brimwater::State& s) { return s.alpha; }},
    {"pr", [](const brimwater::State& s) { return s.Pr; }},
    {"region", [](const brimwater::State& s) { return static_cast<double>(s.region); }},
    // The numbers of the state header's enumerators: phase 1 liquid to 4 two-phase, status 0 ok, 1
    // extrapolated.
    {"phase", [](const brimwater::State& s) { return static_cast<double>(s.phase); }},
    {"status", [](const brimwater::State& s) { return static_cast<double>(s.status); }},
};

using StateSolver = brimwater::State (*)(double, double, brimwater::FormulationCode);
const std::map<std::string, StateSolver> kStatePairs = {
    {"tp", brimwater::StateOfTP}, {"ph", brimwater::StateOfPH}, {"ps", brimwater::StateOfPS},
    {"hs", brimwater::StateOfHS}, {"tx", brimwater::StateOfTX}, {"px", brimwater::StateOfPX},
};

constexpr double kRelativeTolerance = 1e-12;
// Calc's texts for a cell whose value is NaN or infinite, for an illegal argument and for a calculation that
// does not converge.
constexpr char kNotFinite[] = "#NUM!";
constexpr char kIllegalArgument[] = "Err:502";
constexpr char kNoConvergence[] = "Err:523";

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

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
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

// What a library row's cell must show: the library's number, or the exact text of a Calc error.
struct Expected {
  double value = 0.0;
  std::string text;  // empty for a number
};

Expected ExpectedNumber(double value) {
  if (!std::isfinite(value)) return {value, kNotFinite};
  return {value, ""};
}

// A text literal of a formula, "cp" with "" for a quote, without its quotes; nothing if it is none.
std::optional<std::string> TextLiteral(const std::string& argument) {
  if (argument.size() < 2 || argument.front() != '"' || argument.back() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i + 1 < argument.size(); ++i) {
    if (argument[i] == '"') ++i;  // the first of a doubled quote
    text += argument[i];
  }
  return text;
}

// BWSTATE's arguments "cp","PH",C9,D9,E9 split into the two literals and the rest, "C9,D9,E9".
bool SplitStateArguments(const std::string& arguments, std::string& property, std::string& pair,
                         std::string& cells) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (const char c : arguments) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted && parts.size() < 3) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  if (parts.size() != 3) return false;
  const std::optional<std::string> p = TextLiteral(parts[0]);
  const std::optional<std::string> q = TextLiteral(parts[1]);
  if (!p || !q) return false;
  property = *p;
  pair = *q;
  cells = parts[2];
  return true;
}

// Why a library row disagrees, or nothing.
std::optional<std::string> CheckLibraryRow(const std::vector<std::string>& row, int line,
                                           bool mustBeNonFinite, std::set<std::string>& covered) {
  std::string name;
  std::string arguments;
  if (!SplitFormula(row[kFormula], name, arguments)) return "the formula text is '" + row[kFormula] + "'";
  const bool state = name == "BWSTATE";
  const auto function = kFunctions.find(name);
  if (!state && function == kFunctions.end()) return "'" + name + "' is not a Brimwater function";
  std::string property;
  std::string pair;
  if (state && !SplitStateArguments(arguments, property, pair, arguments))
    return "BWSTATE's arguments " + arguments + " do not start with a property and a pair in quotes";
  const auto reader = kStateProperties.find(Lower(property));
  const auto solver = kStatePairs.find(Lower(pair));
  if (state && reader == kStateProperties.end()) return "'" + property + "' is not a property of BWSTATE";
  if (state && solver == kStatePairs.end()) return "'" + pair + "' is not an input pair of BWSTATE";

  const std::string n = std::to_string(line);
  const bool one = !state && function->second.one;
  const std::string own = one ? "C" + n + ",E" + n : "C" + n + ",D" + n + ",E" + n;
  if (arguments != own) return "the formula's arguments are " + arguments + ", not the row's own " + own;

  const std::optional<double> a = ArgumentValue(row[kA]);
  const std::optional<double> b = ArgumentValue(row[kB]);
  const std::optional<brimwater::FormulationCode> code = CodeValue(row[kFormulation]);
  if (!a || !b || !code) return "the arguments are not numbers";
  Expected expected;
  std::string key = name;
  if (state) {
    const brimwater::State s = solver->second(*a, *b, *code);
    switch (s.status) {
      case brimwater::Status::Ok:
      case brimwater::Status::Extrapolated: expected = ExpectedNumber(reader->second(s)); break;
      case brimwater::Status::NoSolution: expected.text = kNoConvergence; break;
      default: expected.text = kIllegalArgument; break;
    }
    key = "BWSTATE " + reader->first;
    covered.insert("BWSTATE pair " + solver->first);
  } else {
    expected = ExpectedNumber(one ? function->second.one(*a, *code) : function->second.two(*a, *b, *code));
  }
  if (mustBeNonFinite && expected.text != kNotFinite) {
    return "the library gives " + (expected.text.empty() ? Format(expected.value) : expected.text) +
           ", not NaN or an infinity";
  }
  if (*code == 67 || *code == 69 || *code == 84 || *code == 95 || *code == 97)
    covered.insert(key + " English");
  if (*code == -67 || *code == -69 || *code == -84 || *code == -95 || *code == -97)
    covered.insert(key + " SI");

  const std::string& result = row[kResult];
  if (result == "stale") return "the cell was not recalculated (it shows its cached text)";
  if (!expected.text.empty()) {
    if (result == expected.text) return std::nullopt;
    return "Calc shows '" + result + "', the library gives " +
           (expected.text == kNotFinite ? Format(expected.value) : expected.text);
  }
  const std::optional<double> value = ParseNumber(result);
  if (!value) return "Calc shows '" + result + "', the library gives " + Format(expected.value);
  if (std::fabs(*value - expected.value) > kRelativeTolerance * std::fabs(expected.value)) {
    return "Calc shows " + result + ", the library gives " + Format(expected.value);
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

  std::vector<std::string> required;
  for (const auto& function : kFunctions) required.push_back(function.first);
  for (const auto& property : kStateProperties) required.push_back("BWSTATE " + property.first);
  for (const std::string& call : required) {
    for (const char* units : {" English", " SI"}) {
      if (covered.count(call + units) == 0) {
        ++failures;
        std::cout << "the workbook never calls " << call << " in" << units << " units\n";
      }
    }
  }
  for (const auto& pair : kStatePairs) {
    if (covered.count("BWSTATE pair " + pair.first) == 0) {
      ++failures;
      std::cout << "the workbook never calls BWSTATE with the pair " << pair.first << "\n";
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
