// Exports: by name and by ordinal through the module's export table, and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "handset/modules.h"
#include "loader_fixture.h"
#include "support/module_symbols.h"

namespace loader_testing {
namespace {

class ExportsTest : public ResmodTest {};

TEST_F(ExportsTest, NameAndOrdinalLeadToTheSameFunction) {
  struct Case {
    const char16_t* name;
    WORD ordinal;
  };
  for (Case c : {Case{u"Twice", 1}, Case{u"AttachedInstance", 9}, Case{u"CountLetters", 3}}) {
    FARPROC byName = GetProcAddressW(module_, c.name);
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(GetProcAddressW(module_, MAKEINTRESOURCEW(c.ordinal)), byName) << c.ordinal;
  }
  auto countLetters = As<int(const char*)>(GetProcAddressW(module_, u"CountLetters"));
  EXPECT_EQ(countLetters("handset"), 7);
  // An export without ordinal is reached by name only.
  EXPECT_EQ(As<int()>(GetProcAddressW(module_, u"NameOnly"))(), 7);
}

TEST_F(ExportsTest, NothingOutsideTheExportTableIsReached) {
  for (const char16_t* name : {u"NotExported", u"DllMain", u"twice", u"Twice ", u"", u"LoadLibraryW", u"abort"}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddressW(module_, name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  for (WORD ordinal : {0, 2, 4, 8, 10, 0xFFFF}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddressW(module_, MAKEINTRESOURCEW(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  EXPECT_EQ(GetProcAddressW(reinterpret_cast<HMODULE>(0x7FFF0000), u"Twice"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ExportsTest, TheDynamicSymbolTableShowsOnlyTheExportsAndTheEntryPoint) {
  // The module holds C++ runtime code (std::string, std::vector), whose symbols stay local.
  EXPECT_EQ(testing_support::DefinedDynamicSymbols(BuiltModules() / "resmod.dll"),
            (std::set<std::string>{"Twice", "NameOnly", "AttachedInstance", "CountLetters", "DllMain"}));
  EXPECT_EQ(testing_support::DefinedDynamicSymbols(BuiltModules() / "resmod.dll.0409.mui"), std::set<std::string>{});
}

}  // namespace
}  // namespace loader_testing
