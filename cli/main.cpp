// brimwater: a command-line calculator over the fifteen property functions.
//
//   brimwater FUNCTION ARG... CODE                 one value, printed with 17 significant digits
//   brimwater -                                    one value per line of standard input
//   brimwater compare FUNCTION ARG... --si|--english   the five formulations side by side
//   brimwater state [--json] PAIR A B CODE         every property of one state from an input pair
//   brimwater                                      usage and a saturation table of the five formulations
//
// The calculator parses, calls the library and formats; it never computes a property itself. Unlike the
// library, it refuses an unsupported formulation code as bad input: a shell user never wants -999.
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#ifndef BRIMWATER_VERSION
#define BRIMWATER_VERSION "unknown"
#endif

namespace {

using brimwater::FormulationCode;

constexpr int kExitOk = 0;
constexpr int kExitBatchFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWriteError = 3;

constexpr const char* kUsage =
    "usage: brimwater FUNCTION ARG... CODE | brimwater state [--json] PAIR A B CODE | brimwater - |\n"
    "       brimwater compare FUNCTION ARG... --si|--english | brimwater --help | brimwater --version";

struct Function {
  const char* name;
  int arity;  // arguments before the code
  double (*one)(double, FormulationCode);
  double (*two)(double, double, FormulationCode);
  const char* arguments;
};

constexpr Function kFunctions[] = {
    {"Psat", 1, brimwater::Psat, nullptr, "Ts"},    {"Tsat", 1, brimwater::Tsat, nullptr, "Ps"},
    {"Vf", 1, brimwater::Vf, nullptr, "Ts"},        {"Vg", 1, brimwater::Vg, nullptr, "Ts"},
    {"Hf", 1, brimwater::Hf, nullptr, "Ts"},        {"Hg", 1, brimwater::Hg, nullptr, "Ts"},
    {"Sf", 1, brimwater::Sf, nullptr, "Ts"},        {"Sg", 1, brimwater::Sg, nullptr, "Ts"},
    {"VofTP", 2, nullptr, brimwater::VofTP, "T P"}, {"HofTP", 2, nullptr, brimwater::HofTP, "T P"},
    {"SofTP", 2, nullptr, brimwater::SofTP, "T P"}, {"TofPH", 2, nullptr, brimwater::TofPH, "P H"},
    {"SofPH", 2, nullptr, brimwater::SofPH, "P H"}, {"TofPS", 2, nullptr, brimwater::TofPS, "P S"},
    {"HofPS", 2, nullptr, brimwater::HofPS, "P S"},
};

struct Formulation {
  int code;
  const char* label;
};

// In the order and with the labels of the argument help text "67=ASME, 69=KKHM, 84=NBS/NRC, 95=SF95,
// 97=IF97".
constexpr Formulation kFormulations[] = {
    {67, "ASME"}, {69, "KKHM"}, {84, "NBS/NRC"}, {95, "SF95"}, {97, "IF97"}};
constexpr int kReferenceCode = 95;

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Function names match whatever their case: hoftp is HofTP.
const Function* FindFunction(const char* name) {
  for (const Function& f : kFunctions) {
    std::size_t i = 0;
    while (f.name[i] != '\0' && Lower(f.name[i]) == Lower(name[i])) ++i;
    if (f.name[i] == '\0' && name[i] == '\0') return &f;
  }
  return nullptr;
}

// Edit distance between two names, ignoring case: insertions, deletions, substitutions and swaps of two
// neighbouring letters (HofPT for HofTP) count one each. Names are short; a word longer than any name can be
// only needs to be known as far from every name.
std::size_t EditDistance(const char* typed, const char* name) {
  constexpr std::size_t kLongest = 16;
  const std::size_t m = std::strlen(typed);
  const std::size_t n = std::min(std::strlen(name), kLongest);
  if (m > kLongest) return m;  // at least m - n: farther than any suggestion goes
  std::size_t d[kLongest + 1][kLongest + 1];
  for (std::size_t i = 0; i <= m; ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= n; ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= m; ++i) {
    for (std::size_t j = 1; j <= n; ++j) {
      const bool same = Lower(typed[i - 1]) == Lower(name[j - 1]);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && Lower(typed[i - 1]) == Lower(name[j - 2]) &&
          Lower(typed[i - 2]) == Lower(name[j - 1])) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[m][n];
}

// "unknown function 'X'", with the nearest name when it is near enough to be a slip of the keyboard (at most
// half of the longer name's letters differ).
std::string UnknownFunction(const char* typed) {
  std::string message = std::string("unknown function '") + typed + "'";
  const Function* nearest = nullptr;
  std::size_t best = std::numeric_limits<std::size_t>::max();
  for (const Function& f : kFunctions) {
    const std::size_t d = EditDistance(typed, f.name);
    if (d < best) {
      best = d;
      nearest = &f;
    }
  }
  if (nearest != nullptr && 2 * best <= std::max(std::strlen(typed), std::strlen(nearest->name))) {
    message += std::string("; did you mean '") + nearest->name + "'?";
  } else {
    message += " (brimwater --help lists the functions)";
  }
  return message;
}

double Evaluate(const Function& f, const double* args, FormulationCode code) {
  return f.arity == 1 ? f.one(args[0], code) : f.two(args[0], args[1], code);
}

// A decimal number that parses completely; NaN and infinities are numbers. The hexadecimal form that strtod
// also reads (0x3e8 for 1000) is refused: in a table of temperatures and pressures it is a typing slip.
bool ParseNumber(const char* text, double& value) {
  if (*text == '\0') return false;
  const char* digits = text;
  while (std::isspace(static_cast<unsigned char>(*digits))) ++digits;
  if (*digits == '+' || *digits == '-') ++digits;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  return *end == '\0' && end != text;  // out-of-range magnitudes become +-inf or 0, as strtod gives them
}

// A code the library answers: 67, 69, 84, 95 or 97, positive for English and negative for SI units.
bool IsSupported(FormulationCode code) {
  for (const Formulation& form : kFormulations) {
    if (code == form.code || code == -form.code) return true;
  }
  return false;
}

// A whole number within the 32-bit code range.
bool ParseCode(const char* text, FormulationCode& code) {
  if (*text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (*end != '\0' || end == text || errno == ERANGE) return false;
  if (value < std::numeric_limits<FormulationCode>::min() ||
      value > std::numeric_limits<FormulationCode>::max()) {
    return false;
  }
  code = static_cast<FormulationCode>(value);
  return true;
}

// Parses FUNCTION ARG... CODE from `words`; on failure writes a one-line reason into `error`.
bool ParseCall(int count, char** words, const Function*& f, double* args, FormulationCode& code,
               std::string& error) {
  if (count < 1) {
    error = "missing function name";
    return false;
  }
  f = FindFunction(words[0]);
  if (f == nullptr) {
    error = UnknownFunction(words[0]);
    return false;
  }
  if (count != f->arity + 2) {
    error = std::string(f->name) + " takes " + std::to_string(f->arity) +
            (f->arity == 1 ? " argument" : " arguments") + " (" + f->arguments + ") and a formulation code";
    return false;
  }
  for (int i = 0; i < f->arity; ++i) {
    if (!ParseNumber(words[i + 1], args[i])) {
      error = std::string("'") + words[i + 1] + "' is not a number";
      return false;
    }
  }
  if (!ParseCode(words[count - 1], code)) {
    error = std::string("'") + words[count - 1] +
            "' is not a formulation code (a whole number in the 32-bit range)";
    return false;
  }
  if (!IsSupported(code)) {
    error = std::string("'") + words[count - 1] +
            "' is not a supported formulation code (67, 69, 84, 95 or 97; negative for SI units)";
    return false;
  }
  return true;
}

// NaN has a sign bit, which printf shows as "-nan"; a NaN result is printed as plain "nan".
double Printable(double value) {
  return std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

// ---- brimwater state ---------------------------------------------------------------------------------

// The input pairs of the state interface, with their arguments' names.
struct StatePair {
  const char* name;
  brimwater::State (*solve)(double, double, FormulationCode);
  const char* arguments;
};

constexpr StatePair kStatePairs[] = {
    {"TP", brimwater::StateOfTP, "T P"}, {"PH", brimwater::StateOfPH, "P h"},
    {"PS", brimwater::StateOfPS, "P s"}, {"HS", brimwater::StateOfHS, "h s"},
    {"TX", brimwater::StateOfTX, "T x"}, {"PX", brimwater::StateOfPX, "P x"},
};

bool SameWord(const char* a, const char* b) {
  std::size_t i = 0;
  while (a[i] != '\0' && Lower(a[i]) == Lower(b[i])) ++i;
  return a[i] == '\0' && b[i] == '\0';
}

// One printed property of a state: its key in the JSON object, its value and its unit in either system.
struct Field {
  const char* key;
  double brimwater::State::*value;
  const char* si;
  const char* english;
};

constexpr Field kFields[] = {
    {"T", &brimwater::State::T, "K", "degF"},
    {"P", &brimwater::State::P, "MPa", "psia"},
    {"v", &brimwater::State::v, "cm3/g", "ft3/lbm"},
    {"rho", &brimwater::State::rho, "g/cm3", "lbm/ft3"},
    {"h", &brimwater::State::h, "kJ/kg", "BTU/lbm"},
    {"s", &brimwater::State::s, "kJ/(kg K)", "BTU/(lbm degR)"},
    {"u", &brimwater::State::u, "kJ/kg", "BTU/lbm"},
    {"cp", &brimwater::State::cp, "kJ/(kg K)", "BTU/(lbm degR)"},
    {"cv", &brimwater::State::cv, "kJ/(kg K)", "BTU/(lbm degR)"},
    {"w", &brimwater::State::w, "m/s", "ft/s"},
    {"x", &brimwater::State::x, "", ""},
    {"mu", &brimwater::State::mu, "Pa s", "lbm/(ft h)"},
    {"lambda", &brimwater::State::lambda, "W/(m K)", "BTU/(h ft degF)"},
    {"sigma", &brimwater::State::sigma, "N/m", "lbf/ft"},
    {"nu", &brimwater::State::nu, "m2/s", "ft2/h"},
    {"alpha", &brimwater::State::alpha, "m2/s", "ft2/h"},
    {"Pr", &brimwater::State::Pr, "", ""},
};

// A number for a JSON object: 17 significant digits, NaN and infinities (which JSON lacks) as null.
std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// The state as one JSON object on one line.
std::string StateJson(const brimwater::State& state) {
  std::string json = "{";
  for (const Field& f : kFields)
    json += std::string("\"") + f.key + "\": " + JsonNumber(state.*f.value) + ", ";
  json += std::string("\"transport\": \"") + brimwater::TransportFormName(state.transport) +
          "\", \"transport_status\": \"" + brimwater::StatusName(state.transport_status) + "\", ";
  json += std::string("\"phase\": \"") + brimwater::PhaseName(state.phase) +
          "\", \"region\": " + std::to_string(state.region) + ", \"status\": \"" +
          brimwater::StatusName(state.status) + "\"}";
  return json;
}

void PrintState(const brimwater::State& state, FormulationCode code) {
  for (const Field& f : kFields) {
    const char* unit = code > 0 ? f.english : f.si;
    std::printf("%-7s %24.17g%s%s\n", f.key, Printable(state.*f.value), *unit != '\0' ? " " : "", unit);
  }
  // The form of the transport correlations and their validity, right-aligned with the numbers above.
  std::printf("%-9s %22s\n%-16s %15s\n", "transport", brimwater::TransportFormName(state.transport),
              "transport_status", brimwater::StatusName(state.transport_status));
  std::printf("%-7s %24s\n%-7s %24d\n%-7s %24s\n", "phase", brimwater::PhaseName(state.phase), "region",
              state.region, "status", brimwater::StatusName(state.status));
}

// Parses "[--json] PAIR A B CODE"; on failure writes a one-line reason into `error`.
bool ParseState(int count, char** words, const StatePair*& pair, double* args, FormulationCode& code,
                bool& json, std::string& error) {
  json = false;
  char* rest[4];
  int n = 0;
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(words[i], "--json") == 0) {
      json = true;
    } else if (n < 4) {
      rest[n++] = words[i];
    } else {
      n = 5;
    }
  }
  if (n != 4) {
    error =
        "state takes PAIR A B CODE, with PAIR one of TP, PH, PS, HS, TX, PX (and --json for a JSON object)";
    return false;
  }
  pair = nullptr;
  for (const StatePair& p : kStatePairs) {
    if (SameWord(rest[0], p.name)) pair = &p;
  }
  if (pair == nullptr) {
    error = std::string("unknown input pair '") + rest[0] + "' (TP, PH, PS, HS, TX or PX)";
    return false;
  }
  for (int i = 0; i < 2; ++i) {
    if (!ParseNumber(rest[i + 1], args[i])) {
      error = std::string("'") + rest[i + 1] + "' is not a number";
      return false;
    }
  }
  if (!ParseCode(rest[3], code) || !IsSupported(code)) {
    error = std::string("'") + rest[3] +
            "' is not a supported formulation code (67, 69, 84, 95 or 97; negative for SI units)";
    return false;
  }
  return true;
}

// Standard output, flushed and closed, must have taken everything: a full disk or a closed stream would
// otherwise lose results without a word. Returns `status`, or kExitWriteError after a message.
int FinishOutput(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int reason = errno;
  const bool failed = !flushed || std::ferror(stdout) != 0;
  if (std::fclose(stdout) != 0 || failed) {
    std::fprintf(stderr, "brimwater: cannot write the output%s%s\n", reason != 0 ? ": " : "",
                 reason != 0 ? std::strerror(reason) : "");
    return kExitWriteError;
  }
  return status;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "brimwater: %s\n%s\n", message.c_str(), kUsage);
  return kExitUsage;
}

int StateCommand(int count, char** words) {
  const StatePair* pair = nullptr;
  double args[2] = {0.0, 0.0};
  FormulationCode code = 0;
  bool json = false;
  std::string error;
  if (!ParseState(count, words, pair, args, code, json, error)) return Usage(error);
  const brimwater::State state = pair->solve(args[0], args[1], code);
  if (json) {
    std::printf("%s\n", StateJson(state).c_str());
  } else {
    PrintState(state, code);
  }
  return kExitOk;
}

int Single(int count, char** words) {
  const Function* f = nullptr;
  double args[2] = {0.0, 0.0};
  FormulationCode code = 0;
  std::string error;
  if (!ParseCall(count, words, f, args, code, error)) return Usage(error);
  std::printf("%.17g\n", Printable(Evaluate(*f, args, code)));
  return kExitOk;
}

// Batch mode: one call per line of standard input, one result per line. Lines are read into a fixed buffer,
// so memory stays constant whatever the input; a line longer than the buffer is an error.
int Batch() {
  constexpr std::size_t kMaxLine = 4096;
  constexpr int kMaxWords = 8;
  char line[kMaxLine + 1];
  long long number = 0;
  bool failed = false;
  for (;;) {
    std::size_t length = 0;
    bool too_long = false;
    bool has_nul = false;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') {
      if (c == '\0') has_nul = true;
      if (length < kMaxLine) {
        line[length++] = static_cast<char>(c);
      } else {
        too_long = true;
      }
    }
    if (c == EOF && length == 0 && !too_long) break;
    ++number;
    line[length] = '\0';
    if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';

    char* words[kMaxWords + 1];
    int count = 0;
    std::string error;
    if (too_long) {
      error = "line longer than " + std::to_string(kMaxLine) + " characters";
    } else if (has_nul) {
      error = "line contains a NUL character";
    } else {
      // A '#' starts a comment, on a line of its own or after a call.
      char* comment = std::strchr(line, '#');
      if (comment != nullptr) *comment = '\0';
      for (char* token = std::strtok(line, " \t\v\f\r"); token != nullptr;
           token = std::strtok(nullptr, " \t\v\f\r")) {
        if (count == kMaxWords) {
          count = kMaxWords + 1;
          break;
        }
        words[count++] = token;
      }
      if (count == 0) continue;
      if (count > kMaxWords) error = "too many words";
    }
    const Function* f = nullptr;
    const StatePair* pair = nullptr;
    double args[2] = {0.0, 0.0};
    FormulationCode code = 0;
    bool json = true;
    if (error.empty() && SameWord(words[0], "state")) {
      // A state line prints its JSON object on one line.
      if (ParseState(count - 1, words + 1, pair, args, code, json, error)) {
        std::printf("%s\n", StateJson(pair->solve(args[0], args[1], code)).c_str());
      }
    } else if (error.empty() && ParseCall(count, words, f, args, code, error)) {
      std::printf("%.17g\n", Printable(Evaluate(*f, args, code)));
    }
    if (!error.empty()) {
      std::fputs("error\n", stdout);
      std::fprintf(stderr, "brimwater: line %lld: %s\n", number, error.c_str());
      failed = true;
    }
    // Output that cannot be written ends the run at once rather than after the whole input.
    if (c == EOF || std::ferror(stdout) != 0) break;
  }
  return failed ? kExitBatchFailure : kExitOk;
}

int Compare(int count, char** words) {
  if (count < 1) return Usage("compare needs FUNCTION ARG... and --si or --english");
  const char* units = words[count - 1];
  int sign = 0;
  if (std::strcmp(units, "--si") == 0) {
    sign = -1;
  } else if (std::strcmp(units, "--english") == 0) {
    sign = 1;
  } else {
    return Usage("compare needs --si or --english as its last argument");
  }
  const Function* f = count > 1 ? FindFunction(words[0]) : nullptr;
  if (f == nullptr) return Usage(count > 1 ? UnknownFunction(words[0]) : "missing function name");
  if (count != f->arity + 2) {
    return Usage(std::string(f->name) + " takes " + std::to_string(f->arity) +
                 (f->arity == 1 ? " argument" : " arguments") + " (" + f->arguments + ")");
  }
  double args[2] = {0.0, 0.0};
  for (int i = 0; i < f->arity; ++i) {
    if (!ParseNumber(words[i + 1], args[i]))
      return Usage(std::string("'") + words[i + 1] + "' is not a number");
  }
  const double reference = Printable(Evaluate(*f, args, sign * kReferenceCode));
  std::printf("%s(%s) in %s units; differences from SF95\n", f->name,
              f->arity == 1 ? words[1] : (std::string(words[1]) + ", " + words[2]).c_str(),
              sign < 0 ? "SI" : "English");
  std::printf("%5s  %-8s %24s %24s %12s\n", "code", "label", "value", "difference", "relative");
  for (const Formulation& form : kFormulations) {
    const int code = sign * form.code;
    const double value = Printable(Evaluate(*f, args, code));
    const double difference = Printable(value - reference);
    const double relative = Printable(reference != 0.0 ? difference / std::fabs(reference) : 0.0);
    std::printf("%5d  %-8s %24.17g %24.17g %12.3e\n", code, form.label, value, difference, relative);
  }
  return kExitOk;
}

void Demonstration() {
  constexpr double kTemperatures[] = {300.0, 373.15, 450.0, 550.0, 640.0};  // K
  struct Row {
    const char* name;
    const char* unit;
    double (*f)(double, FormulationCode);
  };
  constexpr Row kRows[] = {{"Psat", "MPa", brimwater::Psat},
                           {"Hf", "kJ/kg", brimwater::Hf},
                           {"Hg", "kJ/kg", brimwater::Hg},
                           {"Sf", "kJ/(kg K)", brimwater::Sf},
                           {"Sg", "kJ/(kg K)", brimwater::Sg}};
  std::printf("Saturated water and steam in the five formulations (SI units)\n");
  for (const double T : kTemperatures) {
    std::printf("\nT = %g K\n%-16s", T, "");
    for (const Formulation& form : kFormulations) std::printf(" %13s", form.label);
    std::printf("\n");
    for (const Row& row : kRows) {
      std::printf("%-5s %-10s", row.name, row.unit);
      for (const Formulation& form : kFormulations) std::printf(" %13.8g", Printable(row.f(T, -form.code)));
      std::printf("\n");
    }
  }
}

void Help() {
  std::printf("%s\n\n", kUsage);
  std::printf(
      "Water and steam properties in five formulations: 67=ASME, 69=KKHM, 84=NBS/NRC, 95=SF95, 97=IF97.\n"
      "A positive code means English units (degF, psia, ft3/lbm, BTU/lbm, BTU/(lbm degR)), a negative one "
      "SI\n"
      "units (K, MPa, cm3/g, kJ/kg, kJ/(kg K)). Any other code is refused as bad input (the library itself\n"
      "returns -999, PropertyError, for it).\n\n"
      "  brimwater FUNCTION ARG... CODE      evaluate one function, e.g. brimwater HofTP 1000 800 97\n"
      "  brimwater -                         read 'FUNCTION ARG... CODE' lines from standard input ('#' "
      "starts a\n"
      "                                      comment); a malformed line prints 'error'; exit status 1 then\n"
      "  brimwater compare FUNCTION ARG... --si|--english\n"
      "                                      the five formulations side by side, with differences from SF95\n"
      "  brimwater state [--json] PAIR A B CODE\n"
      "                                      every property of a state from one of the input pairs TP, PH,\n"
      "                                      PS, HS, TX or PX (x is the quality), each formulation as its\n"
      "                                      publication defines it; --json prints one JSON object (NaN as\n"
      "                                      null), as a 'state' line in batch mode does\n"
      "  brimwater                           usage and a saturation table of the five formulations\n\n"
      "Functions:\n");
  for (const Function& f : kFunctions) std::printf("  %-6s %s CODE\n", f.name, f.arguments);
  std::printf(
      "\nFunction names match in any case; numbers are decimal (nan and inf included). Results are printed "
      "with\n17 significant digits. Bad arguments give exit status 2, output that cannot be written 3.\n");
}

int Run(int argc, char** argv) {
  if (argc == 1) {
    std::printf("%s\n\n", kUsage);
    Demonstration();
    return kExitOk;
  }
  const char* first = argv[1];
  if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
    Help();
    return kExitOk;
  }
  if (std::strcmp(first, "--version") == 0) {
    std::printf("brimwater %s\n", BRIMWATER_VERSION);
    return kExitOk;
  }
  if (std::strcmp(first, "-") == 0) {
    if (argc != 2) return Usage("'-' takes no further arguments");
    return Batch();
  }
  if (std::strcmp(first, "compare") == 0) return Compare(argc - 2, argv + 2);
  if (SameWord(first, "state")) return StateCommand(argc - 2, argv + 2);
  return Single(argc - 1, argv + 1);
}

}  // namespace

int main(int argc, char** argv) { return FinishOutput(Run(argc, argv)); }
