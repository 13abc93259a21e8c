// The add-in object as Calc's Function Wizard and Excel interchange see it, without LibreOffice: every
// function must carry the Excel add-in's name, argument names and help texts, so that both spreadsheets
// describe a function alike and a workbook moves between them unchanged. The values themselves are checked
// in a real Calc by the headless test (run_calc_test.sh).
#include <gtest/gtest.h>

#include <cctype>
#include <com/sun/star/sheet/LocalizedName.hpp>
#include <rtl/ref.hxx>
#include <string>

#include "addin.h"
#include "registration.h"

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
