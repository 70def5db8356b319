#include "support/vlmrc_test.h"

namespace testing_support {

void VlmrcTest::SetUp() {
  HandsetTest::SetUp();
  module_ = LoadLibraryW(L"vlmrc.dll");
  ASSERT_NE(module_, nullptr) << "vlmrc.dll not found, error " << GetLastError();
}

void VlmrcTest::TearDown() {
  if (module_ != nullptr) FreeLibrary(module_);
  HandsetTest::TearDown();
}

}  // namespace testing_support
