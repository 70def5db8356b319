#include "internals/internals_test.h"

#include <cstdlib>

namespace testing_support {

void InternalsTest::SetUp() {
  HandsetTest::SetUp();
  setenv("HANDSET_MODULE_PATH", VLMRC_TEST_MODULE_DIR, 1);
  Load();
}

void InternalsTest::TearDown() {
  if (module_ != nullptr) FreeLibrary(module_);
  unsetenv("HANDSET_MODULE_PATH");
  HandsetTest::TearDown();
}

void InternalsTest::ReloadModule() {
  ASSERT_TRUE(FreeLibrary(module_));
  module_ = nullptr;
  Load();
}

void InternalsTest::Load() {
  module_ = LoadLibraryW(u"vlmrc_internals.dll");
  ASSERT_NE(module_, nullptr) << "vlmrc_internals.dll not found in " << VLMRC_TEST_MODULE_DIR;
  auto table = reinterpret_cast<VlmrcInternalsTableProc>(
      reinterpret_cast<void (*)()>(GetProcAddressW(module_, u"VlmrcInternalsTable")));
  ASSERT_NE(table, nullptr);
  lib_ = table();
}

}  // namespace testing_support
