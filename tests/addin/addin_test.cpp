// The add-in against the stand-in host: what it registers, how it fails, its messages, and that every
// worksheet function hands back the library's number.
#include "addin.h"

#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "standin/standin.h"
#include "support/precision.h"

namespace brimwater::addin {
namespace {

using brimwater::testing::AgreesToDigits;

std::vector<std::string> RegistrationArguments(int registration) {
  std::vector<std::string> arguments;
  for (int a = 0; a < StandInArgumentCount(registration); ++a) {
    const char* text = StandInArgument(registration, a);
    arguments.push_back(text == nullptr ? std::string("<not a string>") : std::string(text));
  }
  return arguments;
}

std::vector<std::string> Alerts() {
  std::vector<std::string> alerts;
  for (int i = 0; i < StandInAlertCount(); ++i) alerts.emplace_back(StandInAlert(i));
  return alerts;
}

class AddInTest : public ::testing::Test {
 protected:
  void SetUp() override { StandInReset(); }
  void TearDown() override { StandInReset(); }
};

// The fifteen registrations, in the Windows-1252 bytes Excel reads (\260 = 0xB0 degree, \263 = 0xB3 cube).
struct ExpectedRegistration {
  const char* procedure;
  const char* typeText;
  const char* argumentText;
  const char* functionHelp;
  std::vector<std::string> argumentHelps;
};

const std::string kCodesHelp = "67=ASME, 69=KKHM, 84=NBS/NRC, 95=SF95, 97=IF97";
const std::string kSatT = "saturation temperature [\260F:K]";
const std::string kSatP = "saturation pressure [psia:MPa]";
const std::string kTemp = "temperature [\260F:K]";
const std::string kPres = "pressure [psia:MPa]";
const std::string kEnth = "enthalpy [BTU/lbm:kJ/kg]";
const std::string kEntr = "entropy [BTU/lbm/\260R:kJ/kg/\260K]";

const ExpectedRegistration kExpected[] = {
    {"Psat", "RBJ", "Ts,formulation", "saturation pressure [psia:MPa]", {kSatT, kCodesHelp}},
    {"Tsat", "RBJ", "Ps,formulation", "saturation temperature [\260F:K]", {kSatP, kCodesHelp}},
    {"Vf",
     "RBJ",
     "Ts,formulation",
     "specific volume of saturated liquid [ft\263/lbm:cm\263/g]",
     {kSatT, kCodesHelp}},
    {"Vg",
     "RBJ",
     "Ts,formulation",
     "specific volume of saturated vapor [ft\263/lbm:cm\263/g]",
     {kSatT, kCodesHelp}},
    {"Hf", "RBJ", "Ts,formulation", "enthalpy of saturated liquid [BTU/lbm:kJ/kg]", {kSatT, kCodesHelp}},
    {"Hg", "RBJ", "Ts,formulation", "enthalpy of saturated vapor [BTU/lbm:kJ/kg]", {kSatT, kCodesHelp}},
    {"Sf",
     "RBJ",
     "Ts,formulation",
     "entropy of saturated liquid [BTU/lbm/\260R:kJ/kg/\260K]",
     {kSatT, kCodesHelp}},
    {"Sg",
     "RBJ",
     "Ts,formulation",
     "entropy of saturated vapor [BTU/lbm/\260R:kJ/kg/\260K]",
     {kSatT, kCodesHelp}},
    {"VofTP", "RBBJ", "T,P,formulation", "specific volume [ft\263/lbm:cm\263/g]", {kTemp, kPres, kCodesHelp}},
    {"HofTP", "RBBJ", "T,P,formulation", "enthalpy [BTU/lbm:kJ/kg]", {kTemp, kPres, kCodesHelp}},
    {"SofTP", "RBBJ", "T,P,formulation", "entropy [BTU/lbm/\260R:kJ/kg/\260K]", {kTemp, kPres, kCodesHelp}},
    {"TofPH", "RBBJ", "P,H,formulation", "temperature [\260F:K]", {kPres, kEnth, kCodesHelp}},
    {"SofPH", "RBBJ", "P,H,formulation", "entropy [BTU/lbm/\260R:kJ/kg/\260K]", {kPres, kEnth, kCodesHelp}},
    {"TofPS", "RBBJ", "P,S,formulation", "temperature [\260F:K]", {kPres, kEntr, kCodesHelp}},
    {"HofPS", "RBBJ", "P,S,formulation", "enthalpy [BTU/lbm:kJ/kg]", {kPres, kEntr, kCodesHelp}},
};

TEST_F(AddInTest, RegistersTheFifteenFunctionsInTableOrder) {
  ASSERT_EQ(xlAutoOpen(), 1);
  ASSERT_EQ(StandInRegistrationCount(), 15);
  for (int r = 0; r < 15; ++r) {
    const ExpectedRegistration& e = kExpected[r];
    SCOPED_TRACE(e.procedure);
    std::vector<std::string> wanted = {
        kStandInFileName,           e.procedure, e.typeText, e.procedure,   e.argumentText, "1",
        "Brimwater V1.03 Academic", "",          "",         e.functionHelp};
    wanted.insert(wanted.end(), e.argumentHelps.begin(), e.argumentHelps.end());
    EXPECT_EQ(RegistrationArguments(r), wanted);
    EXPECT_EQ(StandInArgumentCount(r), e.argumentHelps.size() == 2 ? 12 : 13);
    for (int a = 0; a < StandInArgumentCount(r); ++a) EXPECT_EQ(StandInArgumentType(r, a), excel::xltypeStr);
  }
  EXPECT_TRUE(Alerts().empty());
  EXPECT_EQ(StandInNamesOutstanding(), 0);
  EXPECT_EQ(StandInBadFrees(), 0);
}

// Excel shows these bytes through the Windows-1252 code page: one byte per sign, never UTF-8.
TEST_F(AddInTest, HelpTextsCarryWindows1252Bytes) {
  ASSERT_EQ(xlAutoOpen(), 1);
  const std::string temperature = RegistrationArguments(0)[10];  // Psat's Ts
  EXPECT_EQ(temperature.size(), 29u);
  EXPECT_EQ(static_cast<unsigned char>(temperature[24]), 0xB0u);
  const std::string volume = RegistrationArguments(8)[9];  // VofTP's help
  EXPECT_EQ(volume, "specific volume [ft\263/lbm:cm\263/g]");
  EXPECT_EQ(volume.size(), 31u);
  for (int r = 0; r < StandInRegistrationCount(); ++r) {
    for (const std::string& text : RegistrationArguments(r)) {
      EXPECT_EQ(text.find('\xC2'), std::string::npos) << "UTF-8 lead byte in " << text;
      EXPECT_EQ(text.find('\xC3'), std::string::npos) << "UTF-8 lead byte in " << text;
    }
  }
}

TEST_F(AddInTest, TitleIsLengthPrefixed) {
  EXPECT_EQ(sizeof kTitle, 26u);  // length byte, 24 characters, terminator
  EXPECT_EQ(kTitle[0], 24);
  EXPECT_STREQ(kTitle + 1, "Brimwater V1.03 Academic");
}

// Excel refuses the n-th function: xlAutoOpen alerts and returns 0; the functions before it stay registered.
TEST_F(AddInTest, RefusedRegistrationAlertsAndStops) {
  for (const int refused : {1, 4, 15}) {
    SCOPED_TRACE(refused);
    StandInReset();
    StandInRefuseRegistration(refused);
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_EQ(StandInRegistrationCount(), refused);
    EXPECT_EQ(Alerts(), std::vector<std::string>{"Error: Failed to register the XLL!"});
    EXPECT_EQ(StandInAlertType(0), 2);
    EXPECT_EQ(StandInNamesOutstanding(), 0);
    if (refused > 1) {
      EXPECT_EQ(RegistrationArguments(refused - 2)[1], kExpected[refused - 2].procedure);
    }
  }
}

TEST_F(AddInTest, SecondOpenRegistersTheSameStrings) {
  ASSERT_EQ(xlAutoOpen(), 1);
  std::vector<std::vector<std::string>> first;
  for (int r = 0; r < 15; ++r) first.push_back(RegistrationArguments(r));
  StandInReset();
  ASSERT_EQ(xlAutoOpen(), 1);
  ASSERT_EQ(xlAutoOpen(), 1);
  ASSERT_EQ(StandInRegistrationCount(), 30);
  for (int r = 0; r < 30; ++r) EXPECT_EQ(RegistrationArguments(r), first[static_cast<std::size_t>(r % 15)]);
  EXPECT_EQ(StandInNamesOutstanding(), 0);
  EXPECT_EQ(StandInBadFrees(), 0);
}

TEST_F(AddInTest, CloseAndRegisterAnswerAsExcelExpects) {
  EXPECT_EQ(xlAutoClose(), 1);
  char name[] = "\x04Psat";
  XLOPER names[2] = {};
  names[0].val.str = name;
  names[0].xltype = excel::xltypeStr;
  names[1].val.num = 3.0;
  names[1].xltype = excel::xltypeNum;
  for (LPXLOPER argument : {&names[0], &names[1], static_cast<LPXLOPER>(nullptr)}) {
    const LPXLOPER answer = xlAutoRegister(argument);
    EXPECT_EQ(answer->xltype, excel::xltypeErr);
    EXPECT_EQ(answer->val.err, excel::xlerrValue);
  }
  EXPECT_EQ(StandInRegistrationCount(), 0);
}

// The add-in manager's request: action 1 (a number or an integer) gives the title, anything else #VALUE!.
TEST_F(AddInTest, AddInManagerInfo) {
  char text[] =
      "\x01"
      "1";
  struct Case {
    std::uint16_t type;
    double number;
    std::int16_t integer;
    bool title;
  };
  const Case cases[] = {
      {excel::xltypeNum, 1.0, 0, true},
      {excel::xltypeInt, 0.0, 1, true},
      {excel::xltypeNum, 2.0, 0, false},
      {excel::xltypeNum, 0.0, 0, false},
      {excel::xltypeNum, std::numeric_limits<double>::quiet_NaN(), 0, false},
      {excel::xltypeNum, 1.0e300, 0, false},
      {excel::xltypeStr, 0.0, 0, false},
      {excel::xltypeErr, 0.0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "type " << c.type << " number " << c.number << " integer " << c.integer);
    XLOPER action{};
    action.xltype = c.type;
    if (c.type == excel::xltypeNum) action.val.num = c.number;
    if (c.type == excel::xltypeInt) action.val.w = c.integer;
    if (c.type == excel::xltypeStr) action.val.str = text;
    if (c.type == excel::xltypeErr) action.val.err = excel::xlerrValue;
    const LPXLOPER answer = xlAddInManagerInfo(&action);
    if (c.title) {
      ASSERT_EQ(answer->xltype, excel::xltypeStr);
      EXPECT_EQ(std::string(answer->val.str, 25), std::string(kTitle, 25));
    } else {
      EXPECT_EQ(answer->xltype, excel::xltypeErr);
      EXPECT_EQ(answer->val.err, excel::xlerrValue);
    }
  }
  EXPECT_EQ(xlAddInManagerInfo(nullptr)->xltype, excel::xltypeErr);
}

// True when `text` matches `pattern`, where '#' stands for a digit, '^' for a capital letter, '_' for a
// small letter, '?' for a blank or a digit, and any other character for itself.
bool MatchesPattern(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool digit = c >= '0' && c <= '9';
    switch (pattern[i]) {
      case '#':
        if (!digit) return false;
        break;
      case '^':
        if (c < 'A' || c > 'Z') return false;
        break;
      case '_':
        if (c < 'a' || c > 'z') return false;
        break;
      case '?':
        if (!digit && c != ' ') return false;
        break;
      default:
        if (c != pattern[i]) return false;
    }
  }
  return true;
}

TEST_F(AddInTest, LoadAndUnloadMessagesNameTheBuild) {
  EXPECT_EQ(xlAutoAdd(), 1);
  EXPECT_EQ(xlAutoRemove(), 1);
  const std::vector<std::string> alerts = Alerts();
  ASSERT_EQ(alerts.size(), 2u);
  // The title, then the compiler's build date ("Dec  8 2026") and time ("18:42:30").
  const std::string loaded = "Brimwater V1.03 Academic Loaded!\nbuilt on ";
  const std::string removed = "Brimwater V1.03 Academic Removed!\nbuilt on ";
  const std::string when = "^__ ?# #### at ##:##:##";
  EXPECT_EQ(alerts[0].substr(0, loaded.size()), loaded);
  EXPECT_TRUE(MatchesPattern(alerts[0].substr(loaded.size()), when)) << alerts[0];
  EXPECT_EQ(alerts[1].substr(0, removed.size()), removed);
  EXPECT_TRUE(MatchesPattern(alerts[1].substr(removed.size()), when)) << alerts[1];
  EXPECT_EQ(alerts[0].substr(alerts[0].find('\n')), alerts[1].substr(alerts[1].find('\n')));
  EXPECT_EQ(StandInAlertType(0), 2);
  EXPECT_EQ(StandInAlertType(1), 2);
}

// Synthetic records for the list builder's limits.
struct SyntheticRecord {
  explicit SyntheticRecord(std::size_t arguments, std::size_t nameLength = 1) {
    names.push_back("F");
    helps.push_back("function help");
    for (std::size_t i = 1; i <= arguments; ++i) {
      names.push_back(std::string(nameLength, static_cast<char>('a' + i % 26)));
      helps.push_back("help " + std::to_string(i));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      entries.push_back({i == 0 ? 'R' : 'B', names[i].c_str(), helps[i].c_str()});
    }
    entries.push_back({0, nullptr, nullptr});
    table[0] = entries.data();
  }
  std::vector<std::string> names;
  std::vector<std::string> helps;
  std::vector<Entry> entries;
  Entry end[1] = {{0, nullptr, nullptr}};
  Record table[2] = {nullptr, end};
};

TEST(StringListTest, CapsArgumentHelpsForThe32BitBuild) {
  struct Case {
    std::size_t arguments;
    std::size_t cap;
    std::size_t helps;
    bool etc;
  };
  const Case cases[] = {
      {20, kArgumentHelpCap32, 20, false}, {21, kArgumentHelpCap32, 20, true},
      {25, kArgumentHelpCap32, 20, true},  {30, kArgumentHelpCap32, 20, true},
      {21, kMaxArguments, 21, false},      {25, kMaxArguments, 25, false},
      {30, kMaxArguments, 30, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.arguments << " arguments, cap " << c.cap);
    const SyntheticRecord record(c.arguments);
    const std::optional<StringList> list = BuildStringList(record.table, c.cap);
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), 1u);
    const FunctionStrings& f = list->front();
    EXPECT_EQ(f.procedure, "F");
    EXPECT_EQ(f.typeText, "R" + std::string(c.arguments, 'B'));
    EXPECT_EQ(f.argumentText.size(), 2 * c.arguments - 1);
    EXPECT_EQ(f.functionHelp, "function help");
    ASSERT_EQ(f.argumentHelps.size(), c.helps);
    EXPECT_EQ(f.argumentHelps.back(), "help " + std::to_string(c.helps) + (c.etc ? ", etc." : ""));
    EXPECT_EQ(f.argumentHelps.front(), "help 1");
  }
}

TEST(StringListTest, RefusesRecordsItCannotRegister) {
  const SyntheticRecord tooMany(31);
  EXPECT_FALSE(BuildStringList(tooMany.table, kArgumentHelpCap32).has_value());
  EXPECT_FALSE(BuildStringList(tooMany.table, kMaxArguments).has_value());
  // 26 names of ten letters and their commas need 285 characters: more than a length-prefixed string holds.
  const SyntheticRecord longNames(26, 10);
  EXPECT_FALSE(BuildStringList(longNames.table, kMaxArguments).has_value());
  const SyntheticRecord fitting(23, 10);  // 252 characters
  EXPECT_TRUE(BuildStringList(fitting.table, kMaxArguments).has_value());
}

TEST_F(AddInTest, UnbuildableListAlertsAndRegistersNothing) {
  const SyntheticRecord tooMany(31);
  EXPECT_EQ(OpenAddIn(tooMany.table), 0);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Error: can't build function params!"});
  EXPECT_EQ(StandInRegistrationCount(), 0);
  EXPECT_EQ(StandInNamesOutstanding(), 0);
}

TEST_F(AddInTest, RegistersEveryHelpOfAWideRecord) {
  const SyntheticRecord wide(21);
  ASSERT_EQ(OpenAddIn(wide.table), 1);
  ASSERT_EQ(StandInRegistrationCount(), 1);
  const std::size_t helps = kArgumentHelpCap == kArgumentHelpCap32 ? 20 : 21;
  EXPECT_EQ(StandInArgumentCount(0), static_cast<int>(10 + helps));
}

// Each worksheet function returns the shared number record holding the library's value, to the bit.
TEST_F(AddInTest, WorksheetFunctionsReturnTheLibraryValue) {
  using Export1 = LPXLOPER(BRIMWATER_WINAPI*)(double, std::int32_t);
  using Export2 = LPXLOPER(BRIMWATER_WINAPI*)(double, double, std::int32_t);
  struct One {
    Export1 exported;
    double (*library)(double, FormulationCode);
    double argument;
    FormulationCode code;
  };
  struct Two {
    Export2 exported;
    double (*library)(double, double, FormulationCode);
    double first, second;
    FormulationCode code;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const One ones[] = {
      {::Psat, brimwater::Psat, 212, 97},     {::Psat, brimwater::Psat, 212, 1},
      {::Psat, brimwater::Psat, 373.15, -97}, {::Tsat, brimwater::Tsat, 3500, 97},
      {::Vf, brimwater::Vf, 212, 97},         {::Vf, brimwater::Vf, 212, 5},
      {::Vg, brimwater::Vg, 212, 97},         {::Hf, brimwater::Hf, 212, 97},
      {::Hg, brimwater::Hg, 212, 97},         {::Sf, brimwater::Sf, 212, 97},
      {::Sg, brimwater::Sg, 212, 97},         {::Psat, brimwater::Psat, nan, 97},
      {::Tsat, brimwater::Tsat, -1e300, 0},
  };
  const Two twos[] = {
      {::VofTP, brimwater::VofTP, 1000, 800, 97}, {::HofTP, brimwater::HofTP, 1000, 800, 97},
      {::SofTP, brimwater::SofTP, 811, 5.5, -97}, {::TofPH, brimwater::TofPH, 1000, 1400, 97},
      {::SofPH, brimwater::SofPH, 1, 3000, -97},  {::TofPS, brimwater::TofPS, 1, 7.0, -97},
      {::HofPS, brimwater::HofPS, 10, 2.5, -97},  {::HofTP, brimwater::HofTP, nan, 1, 95},
  };
  const auto expectSame = [](LPXLOPER record, double wanted) {
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->xltype, excel::xltypeNum);
    if (std::isnan(wanted)) {
      EXPECT_TRUE(std::isnan(record->val.num));
    } else {
      EXPECT_EQ(record->val.num, wanted);  // the add-in forwards: exactly the library's double
    }
  };
  for (const One& c : ones) {
    SCOPED_TRACE(::testing::Message() << c.argument << ", " << c.code);
    expectSame(c.exported(c.argument, c.code), c.library(c.argument, c.code));
  }
  for (const Two& c : twos) {
    SCOPED_TRACE(::testing::Message() << c.first << ", " << c.second << ", " << c.code);
    expectSame(c.exported(c.first, c.second, c.code), c.library(c.first, c.second, c.code));
  }
  // One record serves every function.
  EXPECT_EQ(::Psat(212, 97), ::HofPS(10, 2.5, -97));
}

TEST_F(AddInTest, UnsupportedCodeReachesTheCellAsANumber) {
  const LPXLOPER psat = ::Psat(212, 1);
  EXPECT_EQ(psat->xltype, excel::xltypeNum);
  EXPECT_TRUE(AgreesToDigits(psat->val.num, -144892.6999623, 13));
  EXPECT_EQ(::Vf(212, 5)->val.num, -999.0);
  EXPECT_TRUE(AgreesToDigits(::Psat(212, 97)->val.num, 14.709434, 8));
}

}  // namespace
}  // namespace brimwater::addin
