// The add-in under inputs a host or a worksheet can throw at it: every kind of value record for the add-in
// manager's request, the life cycle out of order, and worksheet arguments that are not ordinary numbers.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "addin.h"
#include "standin/standin.h"

namespace brimwater::addin {
namespace {

class AddInHostileTest : public ::testing::Test {
 protected:
  void SetUp() override { StandInReset(); }
  void TearDown() override { StandInReset(); }
};

// Every type word of the value record, as the C API numbers them.
constexpr std::uint16_t kEveryType[] = {
    0x0001,  // number
    0x0002,  // string
    0x0004,  // boolean
    0x0008,  // reference
    0x0010,  // error
    0x0020,  // flow
    0x0040,  // array
    0x0080,  // missing argument
    0x0100,  // empty
    0x0400,  // single reference
    0x0800,  // integer
    0x0802,  // big data
    0xffff,  // none of these
};

TEST_F(AddInHostileTest, AddInManagerInfoAnswersEveryRecordType) {
  char text[] =
      "\x01"
      "1";
  for (const std::uint16_t type : kEveryType) {
    SCOPED_TRACE(type);
    XLOPER action{};
    std::memset(&action, 0, sizeof action);
    action.xltype = type;
    if (type == 0x0002) action.val.str = text;
    if (type == 0x0001) action.val.num = 7.0;
    const LPXLOPER answer = xlAddInManagerInfo(&action);
    ASSERT_NE(answer, nullptr);
    // Only the action 1 gives the title; a number 7 or any other kind of record is #VALUE!.
    EXPECT_EQ(answer->xltype, excel::xltypeErr);
    EXPECT_EQ(answer->val.err, excel::xlerrValue);
  }
}

TEST_F(AddInHostileTest, LifeCycleOutOfOrder) {
  EXPECT_EQ(xlAutoClose(), 1);  // closed before it was ever opened
  EXPECT_EQ(xlAutoOpen(), 1);
  EXPECT_EQ(StandInRegistrationCount(), 15);
  EXPECT_EQ(xlAutoClose(), 1);
  EXPECT_EQ(xlAutoOpen(), 1);  // opened again after a close
  EXPECT_EQ(xlAutoOpen(), 1);  // and twice in a row
  EXPECT_EQ(StandInRegistrationCount(), 45);
  EXPECT_EQ(xlAutoRemove(), 1);
  EXPECT_EQ(xlAutoAdd(), 1);
  EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(AddInHostileTest, WorksheetFunctionsTakeAnyNumberAndCode) {
  using Export1 = LPXLOPER(BRIMWATER_WINAPI*)(double, std::int32_t);
  using Export2 = LPXLOPER(BRIMWATER_WINAPI*)(double, double, std::int32_t);
  const Export1 ones[] = {::Psat, ::Tsat, ::Vf, ::Vg, ::Hf, ::Hg, ::Sf, ::Sg};
  const Export2 twos[] = {::VofTP, ::HofTP, ::SofTP, ::TofPH, ::SofPH, ::TofPS, ::HofPS};
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 0.0, -1e300, 1e300};
  const std::int32_t codes[] = {std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max(), 0, -97, 95};
  for (const std::int32_t code : codes) {
    for (const double a : values) {
      for (const Export1 f : ones) {
        const LPXLOPER r = f(a, code);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->xltype, excel::xltypeNum);
      }
      for (const Export2 f : twos) {
        const LPXLOPER r = f(a, 1.0, code);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->xltype, excel::xltypeNum);
      }
    }
  }
  // The extreme codes are unsupported: SI rules for the most negative, English for the largest.
  EXPECT_EQ(::Psat(212, std::numeric_limits<std::int32_t>::min())->val.num, -999.0);
  EXPECT_EQ(::Vf(212, std::numeric_limits<std::int32_t>::max())->val.num, -999.0);
}

}  // namespace
}  // namespace brimwater::addin
