// DebugLog: one line per call on the kernel debug output, stamped with the local time.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "handset/clock.h"
#include "handset/debug.h"
#include "internals/internals_test.h"
#include "support/system_time.h"

namespace {

class DebugLogTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    handset::clock::Set(testing_support::MakeSystemTime(2024, 3, 14, 10, 5, 7), /*running=*/false);
    handset::clock::SetTimeZoneBias(60);  // local time is an hour behind UTC
    handset::debug::Clear();
  }
};

TEST_F(DebugLogTest, WritesTheLocalTimeTheTagAndTheTextAsOneLine) {
  lib_->DebugLog(u"abc");
  ASSERT_EQ(handset::debug::Lines(), std::vector<std::u16string>{u"09:05:07 PHONEAPP: abc"});
}

TEST_F(DebugLogTest, NullTextWritesNothing) {
  lib_->DebugLog(nullptr);
  EXPECT_TRUE(handset::debug::Lines().empty());
}

TEST_F(DebugLogTest, TheTextIsNeverTakenForAFormat) {
  lib_->DebugLog(u"ReadDlgProc: %s %d %%");
  ASSERT_EQ(handset::debug::Lines(), std::vector<std::u16string>{u"09:05:07 PHONEAPP: ReadDlgProc: %s %d %%"});
}

TEST_F(DebugLogTest, ALineLongerThanTheBufferIsCutAt519Characters) {
  const std::u16string prefix = u"09:05:07 PHONEAPP: ";
  std::u16string fits(519 - prefix.size(), u'x');
  lib_->DebugLog(fits.c_str());
  std::u16string tooLong = fits + u"yyyy" + std::u16string(1500, u'z');
  lib_->DebugLog(tooLong.c_str());

  auto lines = handset::debug::Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], prefix + fits);
  EXPECT_EQ(lines[1], prefix + fits) << "the line ends at its 519th character";
}

}  // namespace
