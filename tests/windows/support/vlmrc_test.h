// The Windows runner's fixture of the same name: vlmrc.dll loaded by name from beside the test
// program, exports resolved by name as the host resolves them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/handset_test.h"
#include "support/vlmrc_exports.h"

namespace testing_support {

class VlmrcTest : public HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The export of that name (UTF-16, as TEXT("...") or u"..." spells it), typed like the declaration
  // it is resolved for.
  template <class Function, class Unit>
  Function* Export(const Unit* name) {
    std::string narrow;
    for (; *name != 0; ++name) narrow += static_cast<char>(*name);
    FARPROC address = GetProcAddress(module_, narrow.c_str());
    if (address == nullptr) ADD_FAILURE() << "vlmrc.dll does not export " << narrow;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
  }

  HMODULE module_ = nullptr;
};

}  // namespace testing_support

// Resolves the export of that name, typed as a host declares it (support/vlmrc_exports.h).
#define VLMRC_EXPORT(name) Export<vlmrc_exports::name>(TEXT(#name))
