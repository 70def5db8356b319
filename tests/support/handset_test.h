// Test fixture: every test runs on a fresh handset with an empty registry in a temporary root.
#pragma once

#include <gtest/gtest.h>

// A test that needs a capability of the control API that only the handset has (fault injection, the
// call trace) starts with this; the Windows runner skips such a test with the reason.
#define REQUIRES_HANDSET(capability) static_cast<void>(0)

namespace testing_support {

class HandsetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace testing_support
