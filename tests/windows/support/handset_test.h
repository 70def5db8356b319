// The Windows runner's fixture of the same name: a desktop Windows machine (under Wine, a prefix of
// its own) stands in for the handset. Every test starts with the library's registry keys removed,
// the real clock, no trace and no faults; what only the handset can do is skipped with the reason.
#pragma once

#include <gtest/gtest.h>

// A test that needs a capability of the handset's control API that the Windows runner lacks (faults
// in the calls the test program itself makes) is skipped here with this reason.
#define REQUIRES_HANDSET(capability) GTEST_SKIP() << "needs the handset's " capability

namespace testing_support {

class HandsetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace testing_support
