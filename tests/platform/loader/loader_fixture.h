// Fixture of the loader's tests: a fresh handset, the test modules of modules/ at hand, and the
// entry-point calls those modules note.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "support/handset_test.h"

namespace loader_testing {

// A function pointer converted to and from FARPROC through void (*)(), the one function type that
// converts to any other without complaint.
template <class Function>
Function* As(FARPROC address) {
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}
template <class Function>
FARPROC ToFarProc(Function* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

class LoaderTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The folder where the build puts the test modules.
  static std::filesystem::path BuiltModules() { return HANDSET_TEST_MODULE_DIR; }
  // Lets LoadLibraryW find the test modules by name, through HANDSET_MODULE_PATH.
  static void UseBuiltModules();
  // Copies a built test module into a folder of the handset (under another name when given) and
  // returns the copy.
  static std::filesystem::path Install(const std::string& file, std::u16string_view deviceFolder = u"\\Windows",
                                       const std::string& as = {});

  // The entry-point calls noted since the test started; see modules/entry_log.h.
  static std::string EntryLog();
  static void ClearEntryLog();
  // How a module notes one entry-point call.
  static std::string EntryCall(const char* module, HMODULE instance, DWORD reason, const char* reserved = "null");
};

// A test with the resource test module "resmod.dll" loaded by name.
class ResmodTest : public LoaderTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HMODULE module_ = nullptr;
};

}  // namespace loader_testing
