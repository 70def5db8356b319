// Test fixture: every test runs on a fresh handset with an empty registry in a temporary root.
#pragma once

#include <gtest/gtest.h>

namespace testing_support {

class HandsetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace testing_support
