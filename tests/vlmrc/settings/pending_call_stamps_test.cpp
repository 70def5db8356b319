#include <vlmrc/vlmrc.h>

#include <optional>
#include <string>

#include "handset/clock.h"
#include "handset/registry.h"
#include "handset/trace.h"
#include "support/system_time.h"
#include "support/vlmrc_test.h"

namespace {

namespace registry = handset::registry;
using testing_support::MakeSystemTime;
using testing_support::VlmrcTest;

const std::string kPhone = "HKLM\\Software\\Zarvo\\Phone";

std::optional<std::uint32_t> Stored(const char* name) { return registry::ReadDword(kPhone, name); }

class PendingCallStampsTest : public VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    vtRegister_ = VLMRC_EXPORT(VTRegister);
    isVt_ = VLMRC_EXPORT(IsVTRegistered);
    isVtEx_ = VLMRC_EXPORT(IsVTRegisteredEx);
    sbmRegister_ = VLMRC_EXPORT(SBMIntRegister);
    isSbm_ = VLMRC_EXPORT(IsSBMIntRegistered);
  }
  // Registers at `mark` and checks at `check` with the given limit.
  BOOL RegisterThenCheck(const SYSTEMTIME& mark, const SYSTEMTIME& check, DWORD limit, DWORD* value) {
    handset::clock::Set(mark, false);
    vtRegister_(42);
    handset::clock::Set(check, false);
    return isVt_(limit, value);
  }
  decltype(::VTRegister)* vtRegister_ = nullptr;
  decltype(::IsVTRegistered)* isVt_ = nullptr;
  decltype(::IsVTRegisteredEx)* isVtEx_ = nullptr;
  decltype(::SBMIntRegister)* sbmRegister_ = nullptr;
  decltype(::IsSBMIntRegistered)* isSbm_ = nullptr;
};

TEST_F(PendingCallStampsTest, ACheckConsumesTheMark) {
  handset::clock::Set(MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), false);
  vtRegister_(5);
  EXPECT_NE(Stored("VTTimeStampH").value_or(0), 0u);
  DWORD value = 99;
  EXPECT_TRUE(isVt_(1000, &value));
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(Stored("VTTimeStampH"), 0u);
  EXPECT_EQ(Stored("VTTimeStampL"), 0u);
  EXPECT_EQ(Stored("CallNow"), 0u);

  value = 99;
  EXPECT_FALSE(isVt_(1000, &value));
  EXPECT_EQ(value, 0u);
  EXPECT_FALSE(isVt_(0xFFFFFFFF, nullptr));
}

TEST_F(PendingCallStampsTest, ElapsedTimeIsComparedWithTheLimitInclusively) {
  DWORD value = 0;
  EXPECT_TRUE(RegisterThenCheck(MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), MakeSystemTime(2026, 3, 10, 12, 0, 1, 500), 1500, &value));
  EXPECT_EQ(value, 42u);
  EXPECT_FALSE(RegisterThenCheck(MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), MakeSystemTime(2026, 3, 10, 12, 0, 1, 501), 1500, &value));
  EXPECT_EQ(value, 0u);
  // Day arithmetic within one month: day 1 at 10:00 to day 2 at 09:00.
  EXPECT_TRUE(RegisterThenCheck(MakeSystemTime(2026, 3, 1, 10, 0, 0, 0), MakeSystemTime(2026, 3, 2, 9, 0, 0, 0), 82800000, &value));
  EXPECT_FALSE(RegisterThenCheck(MakeSystemTime(2026, 3, 1, 10, 0, 0, 0), MakeSystemTime(2026, 3, 2, 9, 0, 0, 0), 82799999, &value));
}

TEST_F(PendingCallStampsTest, MarksOfAnotherMonthOrFromTheFutureAreStale) {
  DWORD value = 0;
  EXPECT_FALSE(
      RegisterThenCheck(MakeSystemTime(2026, 1, 31, 23, 59, 59, 900), MakeSystemTime(2026, 2, 1, 0, 0, 0, 100), 0xFFFFFFFF, &value));
  EXPECT_FALSE(
      RegisterThenCheck(MakeSystemTime(2025, 12, 31, 23, 59, 59, 900), MakeSystemTime(2026, 12, 31, 23, 59, 59, 900), 0xFFFFFFFF, &value));
  // One second ahead wraps to 4,294,966,296 ms.
  EXPECT_FALSE(RegisterThenCheck(MakeSystemTime(2026, 3, 10, 12, 0, 1, 0), MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), 4294966295u, &value));
  EXPECT_TRUE(RegisterThenCheck(MakeSystemTime(2026, 3, 10, 12, 0, 1, 0), MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), 4294966296u, &value));
}

TEST_F(PendingCallStampsTest, WithoutAnyMarkTheCheckFailsAndLeavesClearedValues) {
  DWORD value = 7;
  EXPECT_FALSE(isSbm_(0xFFFFFFFF, &value));
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(Stored("SBMIntTimeStampH"), 0u);
  EXPECT_EQ(Stored("SBMIntTimeStampL"), 0u);
  EXPECT_EQ(Stored("CallNow"), 0u);
  EXPECT_FALSE(Stored("VTTimeStampH"));
}

TEST_F(PendingCallStampsTest, TheExtendedCheckKeepsTheTimeStamp) {
  handset::clock::Set(MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), false);
  vtRegister_(8);
  DWORD value = 0;
  EXPECT_TRUE(isVtEx_(1000, &value));
  EXPECT_EQ(value, 8u);
  EXPECT_NE(Stored("VTTimeStampH").value_or(0), 0u);
  EXPECT_TRUE(isVtEx_(1000, &value));
  EXPECT_EQ(value, 0u);
}

TEST_F(PendingCallStampsTest, BothFamiliesShareCallNow) {
  handset::clock::Set(MakeSystemTime(2026, 3, 10, 12, 0, 0, 0), false);
  vtRegister_(5);
  sbmRegister_(7);
  DWORD value = 0;
  EXPECT_TRUE(isVt_(1000, &value));
  EXPECT_EQ(value, 7u);

  vtRegister_(5);
  VLMRC_EXPORT(DeleteSBMIntKeyValue)();
  EXPECT_FALSE(Stored("CallNow"));
  EXPECT_TRUE(Stored("VTTimeStampH"));
  value = 9;
  EXPECT_TRUE(isVt_(1000, &value));  // the missing "CallNow" is skipped, the stamp still read
  EXPECT_EQ(value, 0u);

  VLMRC_EXPORT(DeleteVTKeyValue)();
  EXPECT_FALSE(Stored("VTTimeStampH"));
  EXPECT_FALSE(Stored("VTTimeStampL"));
}

TEST_F(PendingCallStampsTest, ReaderRetriesFiveTimesWithoutCreatingKeys) {
  handset::trace::Start();
  DWORD value = 1;
  EXPECT_FALSE(isVt_(1000, &value));
  auto opens = handset::trace::Calls("RegOpenKeyExW");
  EXPECT_EQ(opens.size(), 5u);  // the outer key is missing: each attempt stops there
  for (const auto& open : opens) EXPECT_EQ(open.args.at(0), "HKLM\\SoftWare\\Zarvo");

  // Values of the wrong type do not end an attempt; a missing value does.
  registry::WriteString(kPhone, "VTTimeStampH", u"x");
  handset::trace::Start();
  isVt_(1000, &value);
  EXPECT_EQ(handset::trace::Calls("RegQueryValueExW").size(), 3u);
  registry::DeleteValue(kPhone, "VTTimeStampL");
  handset::trace::Start();
  isVt_(1000, &value);
  EXPECT_EQ(handset::trace::Calls("RegQueryValueExW").size(), 10u);  // five attempts of two queries
}

TEST_F(PendingCallStampsTest, AStampWithoutCalendarFormIsStale) {
  registry::WriteDword(kPhone, "VTTimeStampH", 0x80000000u);
  registry::WriteDword(kPhone, "VTTimeStampL", 0);
  registry::WriteDword(kPhone, "CallNow", 3);
  DWORD value = 9;
  EXPECT_FALSE(isVt_(0xFFFFFFFF, &value));
  EXPECT_EQ(value, 0u);
}

}  // namespace
