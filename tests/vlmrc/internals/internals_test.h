// Fixture for the library's internal helpers: a fresh handset with the test module
// vlmrc_internals.dll loaded by name (the library's code with a fresh copy of its module-wide state)
// and its table of helpers at hand.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "support/handset_test.h"
#include "vlmrc/modules/vlmrc_internals.h"

namespace testing_support {

class InternalsTest : public HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Unloads the module and loads it again: module-wide state back as at load.
  void ReloadModule();

  HMODULE module_ = nullptr;
  const VlmrcInternals* lib_ = nullptr;

 private:
  void Load();
};

}  // namespace testing_support
