// The library's frame seen from outside, the way the host sees it: vlmrc.dll loaded by name, its
// exports exactly those of its .def file, its entry point, its strings.
#include <vlmrc/vlmrc.h>
#include <windows.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "handset/text.h"
#include "support/module_symbols.h"
#include "handset/trace.h"
#include "support/handset_test.h"

namespace {

struct DefExport {
  std::string name;
  WORD ordinal;
};

std::vector<DefExport> ReadDefFile() {
  std::ifstream def(VLMRC_DEF_FILE);
  std::vector<DefExport> exports;
  std::regex line("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s+@\\s*([0-9]+)\\s*(;.*)?$");
  std::smatch match;
  for (std::string text; std::getline(def, text);)
    if (std::regex_match(text, match, line))
      exports.push_back({match[1], static_cast<WORD>(std::stoi(match[2]))});
  return exports;
}

// The library's whole exported interface, as its public header lists it.
std::vector<std::string> AllExportNamesInOrdinalOrder() {
  std::vector<std::string> names;
  for (const VlmrcExportEntry& entry : kVlmrcExports) names.push_back(entry.name);
  return names;
}

std::size_t ThreadCount() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++count;
  return count;
}

class ModuleFrameTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    exports_ = ReadDefFile();
    ASSERT_FALSE(exports_.empty()) << "no exports read from " << VLMRC_DEF_FILE;
  }

  std::vector<DefExport> exports_;
};

TEST_F(ModuleFrameTest, TheDefFileNumbersExportsInTheAlphabeticalOrderOfAllNames) {
  std::vector<std::string> all = AllExportNamesInOrdinalOrder();
  // Byte order: upper-case letters sort first, so the two brightness functions come last.
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  for (std::size_t i = 0; i < std::size(kVlmrcExports); ++i) EXPECT_EQ(kVlmrcExports[i].ordinal, i + 1);
  for (const DefExport& e : exports_) {
    auto at = std::find(all.begin(), all.end(), e.name);
    ASSERT_NE(at, all.end()) << e.name << " is not an export of the library";
    EXPECT_EQ(e.ordinal, at - all.begin() + 1) << e.name;
  }
}

TEST_F(ModuleFrameTest, EveryExportIsFoundByNameAndByOrdinalAtTheSameAddress) {
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(module, nullptr) << "error " << GetLastError();
  WCHAR path[MAX_PATH];
  GetModuleFileNameW(module, path, MAX_PATH);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\vlmrc.dll");
  for (const DefExport& e : exports_) {
    FARPROC byName = GetProcAddressW(module, handset::Utf16(e.name).c_str());
    EXPECT_NE(byName, nullptr) << e.name;
    EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCEW(e.ordinal)), byName) << e.name;
  }
  FreeLibrary(module);
}

TEST_F(ModuleFrameTest, NothingElseIsFound) {
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(module, nullptr);
  std::set<WORD> ordinals;
  for (const DefExport& e : exports_) ordinals.insert(e.ordinal);
  for (unsigned ordinal = 0; ordinal <= 40; ++ordinal) {
    if (ordinals.contains(static_cast<WORD>(ordinal))) continue;
    EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCEW(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCEW(0xFFFF)), nullptr);
  // The entry point, a name the library only imports, a name in the wrong case, a name the
  // library has not built.
  std::vector<std::u16string> names{u"DllMain", u"LoadLibraryW", u"RegOpenKeyExW", u"getvtoptsetting"};
  std::set<std::string> listed;
  for (const DefExport& e : exports_) listed.insert(e.name);
  for (const std::string& name : AllExportNamesInOrdinalOrder())
    if (!listed.contains(name)) names.push_back(handset::Utf16(name));
  for (const std::u16string& name : names) {
    EXPECT_EQ(GetProcAddressW(module, name.c_str()), nullptr) << handset::Utf8(name);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  FreeLibrary(module);
}

TEST_F(ModuleFrameTest, TheDynamicSymbolTableHoldsOnlyTheExportsAndTheEntryPoint) {
  std::set<std::string> expected{"DllMain"};
  for (const DefExport& e : exports_) expected.insert(e.name);
  EXPECT_EQ(testing_support::DefinedDynamicSymbols(VLMRC_MODULE_FILE), expected);
}

TEST_F(ModuleFrameTest, LoadingAndUnloadingOpensNoKeyAndStartsNoThread) {
  std::size_t threads = ThreadCount();
  handset::trace::Start();
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(FreeLibrary(module));
  handset::trace::Stop();
  std::vector<std::string> functions;
  for (const auto& call : handset::trace::Calls()) functions.push_back(call.function);
  EXPECT_EQ(functions, (std::vector<std::string>{"LoadLibraryW", "FreeLibrary"}));
  EXPECT_EQ(ThreadCount(), threads);
}

TEST_F(ModuleFrameTest, TheEntryPointAnswersTrueToThreadNotifications) {
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(module, nullptr);
  // The loader does not hand out the entry point; the dynamic linker does, for the loaded file.
  void* library = dlopen(VLMRC_MODULE_FILE, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr);
  auto entry = reinterpret_cast<BOOL (*)(HINSTANCE, DWORD, LPVOID)>(dlsym(library, "DllMain"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry(module, DLL_THREAD_ATTACH, nullptr), TRUE);
  EXPECT_EQ(entry(module, DLL_THREAD_DETACH, nullptr), TRUE);
  dlclose(library);
  FreeLibrary(module);
}

TEST_F(ModuleFrameTest, TheScreensFindTheirStringsThroughTheInstanceHandle) {
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(module, nullptr);
  for (UINT id : {3098u, 7210u, 7211u, 7212u, 7401u, 7402u, 7403u, 7404u, 7405u, 7406u, 7407u, 7408u, 7438u,
                  7439u, 7440u, 7441u, 7442u, 7443u, 7444u, 7600u}) {
    WCHAR text[MAX_PATH] = {};
    EXPECT_GT(LoadStringW(module, id, text, MAX_PATH), 0) << id;
  }
  // The no-reply item format takes exactly one integer.
  WCHAR format[64] = {};
  LoadStringW(module, 7438, format, 64);
  std::string text = handset::Utf8(format);
  EXPECT_EQ(std::count(text.begin(), text.end(), '%'), 1);
  EXPECT_NE(text.find("%d"), std::string::npos);
  FreeLibrary(module);
}

}  // namespace
