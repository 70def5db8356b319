#include "loader_fixture.h"

#include <cstdlib>

#include "handset/handset.h"
#include "handset/modules.h"

namespace loader_testing {

void LoaderTest::SetUp() {
  unsetenv("HANDSET_MODULE_PATH");
  ClearEntryLog();
  HandsetTest::SetUp();
}

void LoaderTest::TearDown() {
  HandsetTest::TearDown();
  unsetenv("HANDSET_MODULE_PATH");
  ClearEntryLog();
}

void ResmodTest::SetUp() {
  LoaderTest::SetUp();
  UseBuiltModules();
  module_ = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(module_, nullptr) << handset::LastLoadFailure();
}

void ResmodTest::TearDown() {
  FreeLibrary(module_);
  LoaderTest::TearDown();
}

void LoaderTest::UseBuiltModules() { setenv("HANDSET_MODULE_PATH", HANDSET_TEST_MODULE_DIR, 1); }

std::filesystem::path LoaderTest::Install(const std::string& file, std::u16string_view deviceFolder,
                                          const std::string& as) {
  std::filesystem::path folder = handset::HostPath(deviceFolder);
  std::filesystem::create_directories(folder);
  std::filesystem::path copy = folder / (as.empty() ? file : as);
  std::filesystem::copy_file(BuiltModules() / file, copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

std::string LoaderTest::EntryLog() {
  const char* log = std::getenv("HANDSET_TEST_ENTRY_LOG");
  return log ? log : "";
}

void LoaderTest::ClearEntryLog() { unsetenv("HANDSET_TEST_ENTRY_LOG"); }

std::string LoaderTest::EntryCall(const char* module, HMODULE instance, DWORD reason, const char* reserved) {
  return std::string(module) + " " + std::to_string(reason) + " " + std::to_string(HandleToUlong(instance)) + " " +
         reserved + ";";
}

}  // namespace loader_testing
