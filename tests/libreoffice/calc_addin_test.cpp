// The add-in object as Calc's Function Wizard and Excel interchange see it, without LibreOffice: every
// function must carry the Excel add-in's name, argument names and help texts, so that both spreadsheets
// describe a function alike and a workbook moves between them unchanged; BWSTATE, which the Excel add-in
// lacks, must be described as fully. BWSTATE's property names and pairs are checked here against published
// verification values, and the errors it raises for Calc; the values of every function are checked in a
// real Calc by the headless test (run_calc_test.sh).
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/LocalizedName.hpp>
#include <com/sun/star/sheet/NoConvergenceException.hpp>
#include <limits>
#include <rtl/ref.hxx>
#include <string>

#include "addin.h"
#include "functions.h"
#include "registration.h"
#include "support/precision.h"

namespace {

using brimwater::addin::kRegistrationTable;
using brimwater::addin::Record;
using rtl::OUString;

std::string Utf8(const OUString& text) {
  const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
  return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

OUString FromUtf8(const std::string& text) {
  return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

// The Excel add-in stores its texts in Windows-1252; its only non-ASCII characters, the degree sign and the
// superscript three, are the same code points in ISO 8859-1.
std::string Utf8FromExcel(const char* text) {
  std::string utf8;
  for (const char* c = text; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte < 0x80) {
      utf8 += static_cast<char>(byte);
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

int ArgumentCount(Record record) {
  int count = 0;
  while (record[count + 1].letter != 0) ++count;
  return count;
}

TEST(CalcAddIn, DescribesEveryFunctionAsTheExcelAddInRegistersIt) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  int functions = 0;
  for (const Record* record = kRegistrationTable; (*record)[0].letter != 0; ++record, ++functions) {
    const std::string name = (*record)[0].name;
    SCOPED_TRACE(name);
    const OUString programmatic = FromUtf8(name);
    EXPECT_EQ(Utf8(addIn->getDisplayFunctionName(programmatic)), name);
    EXPECT_EQ(Utf8(addIn->getFunctionDescription(programmatic)), Utf8FromExcel((*record)[0].help));
    const int arguments = ArgumentCount(*record);
    for (int i = 0; i < arguments; ++i) {
      EXPECT_EQ(Utf8(addIn->getDisplayArgumentName(programmatic, i)), (*record)[i + 1].name)
          << "argument " << i;
      EXPECT_EQ(Utf8(addIn->getArgumentDescription(programmatic, i)), Utf8FromExcel((*record)[i + 1].help))
          << "argument " << i;
    }
    // Past the last argument there is none.
    EXPECT_TRUE(addIn->getDisplayArgumentName(programmatic, arguments).isEmpty());
    EXPECT_TRUE(addIn->getArgumentDescription(programmatic, -1).isEmpty());

    // The name Excel files use, which Calc reads and writes for Excel 97-2003 workbooks.
    const css::uno::Sequence<css::sheet::LocalizedName> compatibility =
        addIn->getCompatibilityNames(programmatic);
    ASSERT_EQ(compatibility.getLength(), 1);
    EXPECT_EQ(Utf8(compatibility[0].Name), name);
    EXPECT_EQ(Utf8(compatibility[0].Locale.Language), "en");
    EXPECT_EQ(Utf8(compatibility[0].Locale.Country), "US");

    // Typed names are matched whatever their case, as Calc matches them.
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Utf8(addIn->getProgrammaticFuntionName(FromUtf8(upper))), name);
  }
  EXPECT_EQ(functions, 15);
}

bool InExcelTable(std::string_view name) {
  for (const Record* record = kRegistrationTable; (*record)[0].letter != 0; ++record) {
    if (name == (*record)[0].name) return true;
  }
  return false;
}

TEST(CalcAddIn, DescribesEveryFunctionTheExcelAddInLacks) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  std::string lacking;
  for (const brimwater::calc::Function& function : brimwater::calc::kFunctions) {
    const std::string name(function.name);
    if (InExcelTable(name)) continue;
    SCOPED_TRACE(name);
    lacking += name + " ";
    const OUString programmatic = FromUtf8(name);
    EXPECT_EQ(Utf8(addIn->getDisplayFunctionName(programmatic)), name);
    EXPECT_FALSE(addIn->getFunctionDescription(programmatic).isEmpty());
    const auto arguments = static_cast<sal_Int32>(function.argumentCount);
    for (sal_Int32 i = 0; i < arguments; ++i) {
      EXPECT_FALSE(addIn->getDisplayArgumentName(programmatic, i).isEmpty()) << "argument " << i;
      EXPECT_FALSE(addIn->getArgumentDescription(programmatic, i).isEmpty()) << "argument " << i;
    }
    EXPECT_TRUE(addIn->getDisplayArgumentName(programmatic, arguments).isEmpty());
    // An Excel 97-2003 file holds the function under this name; without one, Calc would write the ODF name,
    // which no Excel reads.
    const css::uno::Sequence<css::sheet::LocalizedName> compatibility =
        addIn->getCompatibilityNames(programmatic);
    ASSERT_EQ(compatibility.getLength(), 1);
    EXPECT_EQ(Utf8(compatibility[0].Name), name);
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Utf8(addIn->getProgrammaticFuntionName(FromUtf8(upper))), name);
  }
  EXPECT_EQ(lacking, "BwState ");
}

// BWSTATE against the releases' verification tables. IAPWS R7-97(2012) Table 5 (region 1 at 300 K, 3 MPa)
// and Table 15 (region 2 at 700 K, 0.0035 MPa); IAPWS R6-95(2018) Table 7 (500 K, 4.532 kg/m3, whose
// pressure is 0.999938125 MPa) and Table 8 (saturation at 450 K). v in cm3/g and rho in g/cm3 here (m3/kg and
// kg/m3 there); the English rows are the SI values in English units (300 K is 80.33 degF, 3 MPa 435.1132131
// psia). Values from an inverse pair are checked to fewer digits than printed, as the printed inputs carry
// only their own digits.
struct Published {
  const char* source;
  const char* property;
  const char* pair;
  double a, b;
  brimwater::FormulationCode code;
  double expected;
  int digits;
};

constexpr double kPsiaPerMPa = 145.0377377;
constexpr double kKJkgPerBtulbm = 2.326;
constexpr double kKJkgKPerBtulbmR = 4.1868;
constexpr double kCm3gPerFt3lbm = 62.42796058;
constexpr double kMetresPerFoot = 0.3048;

const Published kPublished[] = {
    {"R7-97 Table 5", "v", "TP", 300, 3, -97, 1.00215168, 9},
    {"R7-97 Table 5: 1/v", "rho", "TP", 300, 3, -97, 1.0 / 1.00215168, 8},
    {"R7-97 Table 5", "h", "TP", 300, 3, -97, 115.331273, 9},
    {"R7-97 Table 5", "u", "TP", 300, 3, -97, 112.324818, 9},
    {"R7-97 Table 5", "s", "TP", 300, 3, -97, 0.392294792, 9},
    {"R7-97 Table 5", "cp", "TP", 300, 3, -97, 4.17301218, 9},
    {"R7-97 Table 5", "w", "TP", 300, 3, -97, 1507.73921, 9},
    {"R7-97 Table 5", "region", "TP", 300, 3, -97, 1, 9},
    {"R7-97 Table 5: compressed liquid", "phase", "TP", 300, 3, -97, 1, 9},
    {"R7-97 Table 5: within the range of validity", "status", "TP", 300, 3, -97, 0, 9},
    {"R7-97 Table 5", "T", "PH", 3, 115.331273, -97, 300, 8},
    {"R7-97 Table 5", "T", "PS", 3, 0.392294792, -97, 300, 8},
    {"R7-97 Table 5, English", "v", "TP", 80.33, 3 * kPsiaPerMPa, 97, 1.00215168 / kCm3gPerFt3lbm, 8},
    {"R7-97 Table 5, English", "rho", "TP", 80.33, 3 * kPsiaPerMPa, 97, kCm3gPerFt3lbm / 1.00215168, 8},
    {"R7-97 Table 5, English", "h", "TP", 80.33, 3 * kPsiaPerMPa, 97, 115.331273 / kKJkgPerBtulbm, 8},
    {"R7-97 Table 5, English", "u", "TP", 80.33, 3 * kPsiaPerMPa, 97, 112.324818 / kKJkgPerBtulbm, 8},
    {"R7-97 Table 5, English", "s", "TP", 80.33, 3 * kPsiaPerMPa, 97, 0.392294792 / kKJkgKPerBtulbmR, 8},
    {"R7-97 Table 5, English", "cp", "TP", 80.33, 3 * kPsiaPerMPa, 97, 4.17301218 / kKJkgKPerBtulbmR, 8},
    {"R7-97 Table 5, English", "w", "TP", 80.33, 3 * kPsiaPerMPa, 97, 1507.73921 / kMetresPerFoot, 8},
    {"R7-97 Table 5, English", "T", "PH", 3 * kPsiaPerMPa, 115.331273 / kKJkgPerBtulbm, 97, 80.33, 7},
    {"R7-97 Table 15", "P", "HS", 3335.68375, 10.1749996, -97, 0.0035, 7},
    {"R7-97 Table 15", "T", "HS", 3335.68375, 10.1749996, -97, 700, 8},
    {"R7-97 Table 15", "region", "HS", 3335.68375, 10.1749996, -97, 2, 9},
    {"R6-95 Table 7", "cv", "TP", 500, 0.999938125, -95, 1.66991025, 8},
    {"R6-95 Table 7", "w", "TP", 500, 0.999938125, -95, 535.739001, 8},
    {"R6-95 Table 7", "rho", "TP", 500, 0.999938125, -95, 0.004532, 7},
    {"R6-95 Table 8", "P", "TX", 450, 0, -95, 0.932203564, 9},
    {"R6-95 Table 8", "rho", "TX", 450, 0, -95, 0.890341250, 9},
    {"R6-95 Table 8", "h", "TX", 450, 0, -95, 749.161585, 9},
    {"R6-95 Table 8", "s", "TX", 450, 0, -95, 2.10865845, 9},
    {"R6-95 Table 8", "rho", "TX", 450, 1, -95, 0.00481200360, 9},
    {"R6-95 Table 8", "h", "TX", 450, 1, -95, 2774.41078, 9},
    {"R6-95 Table 8", "s", "TX", 450, 1, -95, 6.60921221, 9},
    {"R6-95 Table 8: the lever rule", "h", "TX", 450, 0.25, -95, 0.75 * 749.161585 + 0.25 * 2774.41078, 8},
    {"R6-95 Table 8: the lever rule", "x", "TX", 450, 0.25, -95, 0.25, 9},
    {"R6-95 Table 8: a mixture", "phase", "TX", 450, 0.25, -95, 4, 9},
    {"R6-95 Table 8", "T", "PX", 0.932203564, 1, -95, 450, 8},
    {"R6-95 Table 8", "h", "PX", 0.932203564, 1, -95, 2774.41078, 7},
};

TEST(CalcAddIn, BwStateGivesThePublishedValues) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  for (const Published& row : kPublished) {
    SCOPED_TRACE(::testing::Message() << row.source << ": " << row.property << " of " << row.pair << " "
                                      << row.a << ", " << row.b << ", code " << row.code);
    const double value = addIn->BwState(OUString::createFromAscii(row.property),
                                        OUString::createFromAscii(row.pair), row.a, row.b, row.code);
    if (row.expected == 0.0) {
      EXPECT_EQ(value, 0.0);
    } else {
      EXPECT_TRUE(brimwater::testing::AgreesToDigits(value, row.expected, row.digits));
    }
  }
}

TEST(CalcAddIn, BwStateMatchesNamesInAnyCaseButNoOtherSpelling) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  // R7-97 Table 5: 300 K, 3 MPa; p is the pressure and pr the Prandtl number, whatever their case.
  const double cp = addIn->BwState("cp", "TP", 300, 3, -97);
  for (const char* name : {"CP", "Cp", "cP"}) {
    EXPECT_EQ(addIn->BwState(OUString::createFromAscii(name), "tp", 300, 3, -97), cp) << name;
  }
  EXPECT_TRUE(brimwater::testing::AgreesToDigits(addIn->BwState("p", "Tp", 300, 3, -97), 3, 9));
  EXPECT_TRUE(brimwater::testing::AgreesToDigits(addIn->BwState("P", "TP", 300, 3, -97), 3, 9));
  const double prandtl = addIn->BwState("Pr", "TP", 300, 3, -97);
  EXPECT_NE(prandtl, 3.0);
  const double prandtlInCapitals = addIn->BwState("PR", "TP", 300, 3, -97);
  EXPECT_TRUE(prandtl == prandtlInCapitals || (std::isnan(prandtl) && std::isnan(prandtlInCapitals)));
}

TEST(CalcAddIn, BwStateGivesNaNForAPropertyTheStateLacks) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  // Calc shows NaN as #NUM!: no quality for a single-phase state, no heat capacity or speed of sound for a
  // mixture, no surface tension off the saturation line, no viscosity for a mixture.
  struct Lacking {
    const char* property;
    const char* pair;
    double a, b;
  };
  const Lacking cases[] = {{"x", "TP", 300, 3}, {"cp", "TX", 450, 0.5},  {"cv", "TX", 450, 0.5},
                           {"w", "PX", 1, 0.5}, {"sigma", "TP", 300, 3}, {"mu", "TX", 450, 0.5},
                           {"Pr", "PX", 1, 0.5}};
  for (const Lacking& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.property << " of " << c.pair << " " << c.a << ", " << c.b);
    EXPECT_TRUE(std::isnan(addIn->BwState(OUString::createFromAscii(c.property),
                                          OUString::createFromAscii(c.pair), c.a, c.b, -95)));
  }
}

// What Calc shows of BWSTATE's exceptions: Err:502 for IllegalArgumentException, Err:523 for
// NoConvergenceException, and only when its type is exactly that one.
enum class Raised { IllegalArgument, NoConvergence };

struct Refused {
  const char* why;
  const char* property;
  const char* pair;
  double a, b;
  brimwater::FormulationCode code;
  Raised raised;
  sal_Int16 argument;  // the position IllegalArgumentException names
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

const Refused kRefused[] = {
    {"unknown property", "enthalpy", "TP", 300, 3, -97, Raised::IllegalArgument, 0},
    {"empty property", "", "TP", 300, 3, -97, Raised::IllegalArgument, 0},
    {"property with a trailing space", "h ", "TP", 300, 3, -97, Raised::IllegalArgument, 0},
    {"a prefix of a property", "lam", "TP", 300, 3, -97, Raised::IllegalArgument, 0},
    {"Greek rho in UTF-8", "\xCF\x81", "TP", 300, 3, -97, Raised::IllegalArgument, 0},
    {"the property is checked before the code", "zz", "TP", 300, 3, 5, Raised::IllegalArgument, 0},
    {"unknown pair", "h", "TH", 300, 3, -97, Raised::IllegalArgument, 1},
    {"pair in reverse order", "h", "PT", 3, 300, -97, Raised::IllegalArgument, 1},
    {"empty pair", "h", "", 300, 3, -97, Raised::IllegalArgument, 1},
    {"unsupported code 5", "h", "TP", 300, 3, 5, Raised::IllegalArgument, 4},
    {"unsupported code 0", "h", "TP", 300, 3, 0, Raised::IllegalArgument, 4},
    {"unsupported code 1", "h", "TP", 80.33, 435, 1, Raised::IllegalArgument, 4},
    {"unsupported code INT_MIN", "h", "TP", 300, 3, INT_MIN, Raised::IllegalArgument, 4},
    {"unsupported code INT_MAX", "h", "TP", 300, 3, INT_MAX, Raised::IllegalArgument, 4},
    {"0 K", "h", "TP", 0, 3, -97, Raised::IllegalArgument, 2},
    {"-459.67 degF", "h", "TP", -459.67, 435, 97, Raised::IllegalArgument, 2},
    {"negative pressure", "T", "PH", -1, 3000, -69, Raised::IllegalArgument, 2},
    {"quality above 1", "h", "TX", 450, 1.5, -95, Raised::IllegalArgument, 2},
    {"quality below 0", "h", "PX", 1, -0.1, -67, Raised::IllegalArgument, 2},
    {"NaN, as a macro may pass", "h", "TP", kNaN, 3, -97, Raised::IllegalArgument, 2},
    {"infinity", "h", "HS", 3000, kInfinity, -95, Raised::IllegalArgument, 2},
    {"an enthalpy far above every state", "T", "PH", 1, 1e6, -97, Raised::NoConvergence, 0},
    {"h and s of no state", "T", "HS", 1, 1, -67, Raised::NoConvergence, 0},
};

TEST(CalcAddIn, BwStateRaisesWhatCalcShowsAsAnError) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  for (const Refused& r : kRefused) {
    SCOPED_TRACE(r.why);
    try {
      const double value =
          addIn->BwState(FromUtf8(r.property), OUString::createFromAscii(r.pair), r.a, r.b, r.code);
      ADD_FAILURE() << "gave the number " << value;
    } catch (const css::lang::IllegalArgumentException& e) {
      EXPECT_EQ(r.raised, Raised::IllegalArgument) << Utf8(e.Message);
      EXPECT_EQ(e.ArgumentPosition, r.argument) << Utf8(e.Message);
      EXPECT_TRUE(Utf8(e.Message).rfind("BWSTATE: ", 0) == 0) << Utf8(e.Message);
    } catch (const css::sheet::NoConvergenceException& e) {
      EXPECT_EQ(r.raised, Raised::NoConvergence) << Utf8(e.Message);
    }
  }
}

TEST(CalcAddIn, KnowsNothingOfOtherNames) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  // Names close to real ones: Calc passes programmatic names exactly as introspection reports them.
  for (const char* name : {"", "psat", "Psat ", "BWSTATE", "getServiceName"}) {
    SCOPED_TRACE(name);
    const OUString unknown = OUString::createFromAscii(name);
    EXPECT_TRUE(addIn->getDisplayFunctionName(unknown).isEmpty());
    EXPECT_TRUE(addIn->getFunctionDescription(unknown).isEmpty());
    EXPECT_TRUE(addIn->getDisplayArgumentName(unknown, 0).isEmpty());
    EXPECT_TRUE(addIn->getArgumentDescription(unknown, 0).isEmpty());
    EXPECT_EQ(addIn->getCompatibilityNames(unknown).getLength(), 0);
  }
  EXPECT_TRUE(addIn->getProgrammaticFuntionName("NOSUCHFUNCTION").isEmpty());
}

TEST(CalcAddIn, OffersTheServicesCalcLooksFor) {
  const rtl::Reference<brimwater::calc::AddIn> addIn(new brimwater::calc::AddIn);
  // Calc lists the implementations of com.sun.star.sheet.AddIn, and names each function in ODF files after
  // the add-in's service name.
  EXPECT_TRUE(addIn->supportsService("com.sun.star.sheet.AddIn"));
  EXPECT_EQ(Utf8(addIn->getServiceName()), "org.brimwater.calc.Brimwater");
  EXPECT_TRUE(addIn->supportsService(addIn->getServiceName()));
  EXPECT_FALSE(addIn->supportsService("com.sun.star.sheet.Spreadsheet"));
  // Categories outside Calc's own list land in "Add-In" anyway; naming it keeps that visible.
  EXPECT_EQ(Utf8(addIn->getProgrammaticCategoryName("Psat")), "Add-In");
}

}  // namespace
