#include "support/vlmrc_test.h"

#include "control_api/import_table.h"

namespace testing_support {

void VlmrcTest::SetUp() {
  HandsetTest::SetUp();
  module_ = LoadLibraryW(L"vlmrc.dll");
  ASSERT_NE(module_, nullptr) << "vlmrc.dll not found, error " << GetLastError();
  testing_windows::RouteLibraryClock(module_);
  testing_windows::RouteLibraryCalls(module_);
}

void VlmrcTest::TearDown() {
  if (module_ != nullptr) FreeLibrary(module_);
  HandsetTest::TearDown();
}

}  // namespace testing_support
