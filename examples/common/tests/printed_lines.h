// Checks on the fixed-format lines the example programs print: a line is reprinted from its own numbers
// with the program's printf format and must come out the same, which pins widths, decimals and spacing.
#ifndef BRIMWATER_EXAMPLES_COMMON_TESTS_PRINTED_LINES_H
#define BRIMWATER_EXAMPLES_COMMON_TESTS_PRINTED_LINES_H

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace brimwater::testing {

// The blank-separated numbers of a line; parsing stops at the first word that is not a number.
inline std::vector<double> Numbers(const std::string& line) {
  std::vector<double> values;
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    char* end = nullptr;
    const double v = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0') break;
    values.push_back(v);
  }
  return values;
}

// `format` (conversions %i, %d and %f with flags, width and precision, an optional l) applied to `values`
// in order, an integer conversion taking the value as an int. Returns "" when the counts do not match.
inline std::string Reprint(const std::string& format, const std::vector<double>& values) {
  std::string text;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      text += format[i];
      continue;
    }
    const std::size_t start = i;
    while (i < format.size() && format[i] != 'i' && format[i] != 'd' && format[i] != 'f') ++i;
    if (i == format.size() || next == values.size()) return "";
    std::string conversion = format.substr(start, i - start + 1);
    if (conversion.size() >= 2 && conversion[conversion.size() - 2] == 'l')
      conversion.erase(conversion.size() - 2, 1);
    char field[64];
    if (format[i] == 'f') {
      std::snprintf(field, sizeof field, conversion.c_str(), values[next]);
    } else {
      std::snprintf(field, sizeof field, conversion.c_str(), static_cast<int>(values[next]));
    }
    text += field;
    ++next;
  }
  return next == values.size() ? text : "";
}

// True when `line` is exactly what `format` prints for the numbers it shows.
inline bool PrintedAs(const std::string& line, const std::string& format) {
  return Reprint(format, Numbers(line)) == line;
}

}  // namespace brimwater::testing

#endif  // BRIMWATER_EXAMPLES_COMMON_TESTS_PRINTED_LINES_H
