// Test fixture for the library: a fresh handset with vlmrc.dll loaded by name, exports reached
// through GetProcAddressW exactly as the host reaches them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "support/handset_test.h"
#include "support/vlmrc_exports.h"

namespace testing_support {

class VlmrcTest : public HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The export of that name, typed like the declaration it is resolved for.
  template <class Function>
  Function* Export(const char16_t* name) {
    FARPROC address = GetProcAddressW(module_, name);
    if (address == nullptr) ADD_FAILURE() << "vlmrc.dll does not export the function asked for";
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
  }

  HMODULE module_ = nullptr;
};

}  // namespace testing_support

// Resolves the export of that name, typed as a host declares it (support/vlmrc_exports.h).
#define VLMRC_EXPORT(name) Export<vlmrc_exports::name>(TEXT(#name))
