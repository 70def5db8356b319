// Finding, loading and unloading modules: search order, names, reference counts, entry-point calls.
#include <windows.h>

#include <gtest/gtest.h>

#include "handset/handset.h"
#include "handset/modules.h"
#include "handset/trace.h"
#include "loader_fixture.h"

namespace loader_testing {
namespace {

using AnswerFunction = int();
using TwiceFunction = int(int);

int CallAnswer(HMODULE module) {
  FARPROC address = GetProcAddressW(module, u"Answer");
  return address ? As<AnswerFunction>(address)() : -1;
}

TEST_F(LoaderTest, FindsModulesThroughTheModulePathAndNotWithoutIt) {
  EXPECT_EQ(LoadLibraryW(u"resmod.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(handset::LastLoadFailure().find("resmod.dll"), std::string::npos);

  UseBuiltModules();
  HMODULE module = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(module, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(handset::LastLoadFailure(), "");
  EXPECT_LE(HandleToUlong(module), 0xFFFFFFFFu);
  EXPECT_EQ(As<TwiceFunction>(GetProcAddressW(module, u"Twice"))(21), 42);
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LoaderTest, TheWindowsFolderComesBeforeTheModulePath) {
  UseBuiltModules();
  // A different module under the same name in \Windows wins.
  Install("plain.dll", u"\\Windows", "resmod.dll");
  HMODULE module = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(module, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(CallAnswer(module), 42);
  EXPECT_EQ(GetProcAddressW(module, u"Twice"), nullptr);
  FreeLibrary(module);
}

TEST_F(LoaderTest, ModulePathFoldersAreSearchedInOrderAndEmptyEntriesSkipped) {
  std::filesystem::path first = handset::Root() / "first";
  std::filesystem::create_directories(first);
  std::filesystem::copy_file(BuiltModules() / "plain.dll", first / "resmod.dll");
  setenv("HANDSET_MODULE_PATH", ("::" + first.string() + ":" + BuiltModules().string()).c_str(), 1);
  HMODULE module = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(module, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(CallAnswer(module), 42);
  FreeLibrary(module);
}

TEST_F(LoaderTest, NamesMatchWithoutRegardToCaseAndDefaultToDll) {
  Install("plain.dll");
  HMODULE module = LoadLibraryW(u"PLAIN.DLL");
  ASSERT_NE(module, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(LoadLibraryW(u"Plain"), module);
  EXPECT_EQ(LoadLibraryW(u"\\windows\\plain.dll"), module);
  EXPECT_EQ(GetModuleHandleW(u"plain"), module);
  EXPECT_EQ(GetModuleHandleW(u"\\Windows\\PLAIN.dll"), module);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"plain.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(LoaderTest, APathOutsideWindowsLoadsExactlyThatFile) {
  Install("plain.dll", u"\\Temp");
  HMODULE module = LoadLibraryW(u"\\Temp\\plain.dll");
  ASSERT_NE(module, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(CallAnswer(module), 42);
  EXPECT_EQ(LoadLibraryW(u"\\Temp\\PLAIN.DLL"), module);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 15u);
  EXPECT_EQ(std::u16string(path), u"\\Temp\\plain.dll");

  EXPECT_EQ(LoadLibraryW(u"\\Other\\plain.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  FreeLibrary(module);
  FreeLibrary(module);
}

TEST_F(LoaderTest, ReferencesAreCountedAndTheLastFreeDetachesAndUnloads) {
  UseBuiltModules();
  std::size_t handlesBefore = handset::LiveHandleCount();
  HMODULE first = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(first, nullptr) << handset::LastLoadFailure();
  HMODULE second = LoadLibraryW(u"resmod.dll");
  EXPECT_EQ(second, first);
  // The entry point ran once, with the module's own handle.
  EXPECT_EQ(EntryLog(), EntryCall("resmod", first, DLL_PROCESS_ATTACH));
  auto attached = As<HINSTANCE()>(GetProcAddressW(first, u"AttachedInstance"));
  ASSERT_NE(attached, nullptr);
  EXPECT_EQ(attached(), first);

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_NE(GetProcAddressW(first, u"Twice"), nullptr) << "one reference is left";
  EXPECT_EQ(EntryLog(), EntryCall("resmod", first, DLL_PROCESS_ATTACH));

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(EntryLog(),
            EntryCall("resmod", first, DLL_PROCESS_ATTACH) + EntryCall("resmod", first, DLL_PROCESS_DETACH));
  EXPECT_EQ(GetProcAddressW(first, u"Twice"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);

  // Loaded again, it attaches again.
  ClearEntryLog();
  HMODULE again = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(EntryLog(), EntryCall("resmod", again, DLL_PROCESS_ATTACH));
  FreeLibrary(again);
}

TEST_F(LoaderTest, AnEntryPointThatRefusesFailsTheLoadAfterItsDetachCall) {
  UseBuiltModules();
  std::size_t handlesBefore = handset::LiveHandleCount();
  EXPECT_EQ(LoadLibraryW(u"refuser.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  std::string log = EntryLog();
  ASSERT_EQ(log.rfind("refuser 1 ", 0), 0u) << log;
  std::string instance = log.substr(10, log.find(' ', 10) - 10);
  EXPECT_EQ(log, "refuser 1 " + instance + " null;refuser 0 " + instance + " null;");
  EXPECT_EQ(GetModuleHandleW(u"refuser.dll"), nullptr);
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
}

TEST_F(LoaderTest, ShutdownDetachesModulesStillLoadedAsAtProcessEnd) {
  UseBuiltModules();
  HMODULE module = LoadLibraryW(u"resmod.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_NE(LoadLibraryW(u"resmod.dll"), nullptr);
  handset::Shutdown();
  EXPECT_EQ(EntryLog(), EntryCall("resmod", module, DLL_PROCESS_ATTACH) +
                            EntryCall("resmod", module, DLL_PROCESS_DETACH, "set"));
}

TEST_F(LoaderTest, ModuleFileNameIsTheDevicePathInWindows) {
  UseBuiltModules();
  HMODULE module = LoadLibraryW(u"RESMOD");
  ASSERT_NE(module, nullptr);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 19u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\resmod.dll");

  // Too small: as much as fits, terminated, the buffer's size returned.
  WCHAR small[8] = {};
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(module, small, 8), 8u);
  EXPECT_EQ(std::u16string(small), u"\\Window");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetModuleFileNameW(module, small, 0), 0u);

  // The process itself.
  EXPECT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 9u);
  EXPECT_EQ(std::u16string(path).rfind(u"\\Windows\\", 0), 0u);
  EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(GetModuleHandleW(nullptr), module);

  FreeLibrary(module);
  EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(LoaderTest, TheTraceRecordsLoadsLookupsAndFrees) {
  UseBuiltModules();
  handset::trace::Start();
  HMODULE module = LoadLibraryW(u"resmod.dll");
  GetProcAddressW(module, u"Twice");
  GetProcAddressW(module, MAKEINTRESOURCEW(3));
  FreeLibrary(module);
  LoadLibraryW(u"absent.dll");
  handset::trace::Stop();

  std::vector<std::pair<std::string, std::vector<std::string>>> calls;
  for (const auto& call : handset::trace::Calls()) calls.emplace_back(call.function, call.args);
  std::vector<std::pair<std::string, std::vector<std::string>>> expected{
      {"LoadLibraryW", {"resmod.dll"}}, {"GetProcAddressW", {"Twice"}}, {"GetProcAddressW", {"#3"}},
      {"FreeLibrary", {"resmod.dll"}},  {"LoadLibraryW", {"absent.dll"}}};
  EXPECT_EQ(calls, expected);
}

// A fake library registered in memory: what a test puts in place of a service library.
int FakeAnswer() { return 99; }
int FakeOther() { return 5; }
std::string g_fakeEntryCalls;
BOOL FakeEntry(HINSTANCE instance, DWORD reason, LPVOID) {
  g_fakeEntryCalls += std::to_string(reason) + ":" + std::to_string(HandleToUlong(instance)) + ";";
  return TRUE;
}

TEST_F(LoaderTest, AModuleRegisteredInMemoryIsFoundBeforeAnyFile) {
  UseBuiltModules();
  g_fakeEntryCalls.clear();
  handset::RegisterModule(u"Plain.dll", {.exports = {{u"Answer", ToFarProc(&FakeAnswer), 4},
                                                     {u"Other", ToFarProc(&FakeOther)}},
                                         .entryPoint = &FakeEntry});
  HMODULE module = LoadLibraryW(u"plain.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(CallAnswer(module), 99);
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCEW(4)), ToFarProc(&FakeAnswer));
  EXPECT_EQ(GetProcAddressW(module, u"Other"), ToFarProc(&FakeOther));
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCEW(1)), nullptr);
  WCHAR path[MAX_PATH];
  GetModuleFileNameW(module, path, MAX_PATH);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\Plain.dll");
  EXPECT_EQ(LoadLibraryW(u"\\Windows\\plain.dll"), module);
  FreeLibrary(module);
  FreeLibrary(module);
  std::string instance = std::to_string(HandleToUlong(module));
  EXPECT_EQ(g_fakeEntryCalls, "1:" + instance + ";0:" + instance + ";");

  EXPECT_THROW(handset::RegisterModule(u"bad.dll", {.exports = {{u"A", ToFarProc(&FakeAnswer), 1},
                                                                {u"B", ToFarProc(&FakeOther), 1}}}),
               std::invalid_argument);
  EXPECT_THROW(handset::RegisterModule(u"bad.dll", {.exports = {{u"A", ToFarProc(&FakeAnswer)},
                                                                {u"A", ToFarProc(&FakeOther)}}}),
               std::invalid_argument);
}

TEST_F(LoaderTest, ARegisteredModuleLastsOnlyForItsHandset) {
  handset::RegisterModule(u"fake.dll", {.exports = {{u"Answer", ToFarProc(&FakeAnswer)}}});
  HMODULE module = LoadLibraryW(u"fake.dll");
  ASSERT_NE(module, nullptr);
  handset::Reset();
  EXPECT_EQ(LoadLibraryW(u"fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

// A module taken off the device is found nowhere, by any form of its name, while a copy loaded
// before stays usable until freed; registering the name again brings it back.
TEST_F(LoaderTest, AModuleTakenOffTheDeviceIsNotFoundUntilRegisteredAgain) {
  Install("plain.dll");
  Install("plain.dll", u"\\Temp");
  HMODULE loaded = LoadLibraryW(u"plain.dll");
  ASSERT_NE(loaded, nullptr) << handset::LastLoadFailure();
  handset::RegisterModule(u"plain.dll", {.exports = {{u"Answer", ToFarProc(&FakeAnswer)}}});
  handset::RemoveModule(u"PLAIN.DLL");
  for (const char16_t* name : {u"plain.dll", u"plain", u"\\Windows\\plain.dll", u"\\Temp\\plain.dll"}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(handset::LastLoadFailure().find("plain.dll"), std::string::npos);
  }
  EXPECT_EQ(CallAnswer(loaded), 42) << "the copy loaded before stays until freed";
  EXPECT_TRUE(FreeLibrary(loaded));

  handset::RegisterModule(u"Plain.dll", {.exports = {{u"Answer", ToFarProc(&FakeAnswer)}}});
  HMODULE again = LoadLibraryW(u"plain.dll");
  ASSERT_NE(again, nullptr) << handset::LastLoadFailure();
  EXPECT_EQ(CallAnswer(again), 99);
  FreeLibrary(again);
}

}  // namespace
}  // namespace loader_testing
