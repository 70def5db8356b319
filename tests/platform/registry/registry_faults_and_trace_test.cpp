// Injected registry faults and the call trace, as the library's tests use them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "handset/registry.h"
#include "handset/trace.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using RegistryFaultTest = HandsetTest;
using RegistryTraceTest = HandsetTest;
using handset::trace::Call;

LONG CreateKey(HKEY base, LPCWSTR path, HKEY* key) {
  DWORD disposition;
  return RegCreateKeyExW(base, path, 0, const_cast<LPWSTR>(u""), 0, 0, nullptr, key, &disposition);
}

TEST_F(RegistryFaultTest, AKeyFaultHitsOneAndTwoStepPathsAndChangesNothing) {
  handset::registry::FailKey("HKEY_LOCAL_MACHINE\\software\\ZARVO\\Phone");
  HKEY outer = nullptr, inner = nullptr;
  EXPECT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", &inner), ERROR_ACCESS_DENIED);
  EXPECT_EQ(inner, nullptr);
  ASSERT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", &outer), ERROR_SUCCESS);  // the key above works
  EXPECT_EQ(CreateKey(outer, u"Phone", &inner), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExW(outer, u"Phone", 0, 0, &inner), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\Software\\Zarvo\\Phone"));
  ASSERT_EQ(CreateKey(outer, u"Phone\\Below", &inner), ERROR_SUCCESS);  // and so does one below
  RegCloseKey(inner);

  handset::registry::ClearFaults();
  ASSERT_EQ(CreateKey(outer, u"Phone", &inner), ERROR_SUCCESS);
  RegCloseKey(inner);
  RegCloseKey(outer);
}

TEST_F(RegistryFaultTest, AKeyFaultCanHitOnlyCreationOrOnlyOpeningWithAChosenError) {
  handset::registry::WriteDword("HKLM\\System\\GDI\\Rotation", "Angle", 90);
  handset::registry::FailKey("HKLM\\System\\GDI\\Rotation", ERROR_NOT_READY, handset::registry::KeyOperation::Open);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", 0, 0, &key), ERROR_NOT_READY);
  ASSERT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", &key), ERROR_SUCCESS);
  RegCloseKey(key);

  handset::registry::FailKey("HKCU\\New", ERROR_GEN_FAILURE, handset::registry::KeyOperation::Create);
  EXPECT_EQ(CreateKey(HKEY_CURRENT_USER, u"New", &key), ERROR_GEN_FAILURE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"New", 0, 0, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_THROW(handset::registry::FailKey("HKXX\\New"), std::invalid_argument);
}

TEST_F(RegistryFaultTest, AnUnreadableValueFailsQueriesOnly) {
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "MuteVideo", 7);
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "ViewMode", 2);
  handset::registry::FailValue("HKLM\\Software\\Zarvo\\Phone", "mutevideo");
  HKEY outer = nullptr, inner = nullptr;
  ASSERT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", &outer), ERROR_SUCCESS);
  ASSERT_EQ(CreateKey(outer, u"Phone", &inner), ERROR_SUCCESS);
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(inner, u"MuteVideo", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(RegQueryValueExW(inner, u"ViewMode", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 2u);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", "MuteVideo"), 7u);  // still stored
  RegCloseKey(inner);
  RegCloseKey(outer);
}

TEST_F(RegistryTraceTest, RecordsCallsWithTheCallersSpellingAndTheCloseOrder) {
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "bShowCallTime", 1);
  HKEY before = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, 0, &before), ERROR_SUCCESS);
  handset::trace::Start();

  HKEY outer = nullptr, inner = nullptr, missing = nullptr;
  ASSERT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", &outer), ERROR_SUCCESS);
  ASSERT_EQ(CreateKey(outer, u"Phone", &inner), ERROR_SUCCESS);
  DWORD value, size = sizeof value;
  RegQueryValueExW(inner, u"bShowCallTime", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegQueryValueExW(inner, u"bMirrorCamera", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegSetValueExW(inner, nullptr, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", 0, 0, &missing);
  RegDeleteKeyW(outer, u"Gone\\");
  RegCloseKey(inner);
  RegCloseKey(outer);
  RegCloseKey(before);  // opened before recording, still named by its path
  RegCloseKey(outer);

  std::vector<Call> expected = {
      {"RegCreateKeyExW", {"HKLM\\SoftWare\\Zarvo", "0"}},
      {"RegCreateKeyExW", {"HKLM\\SoftWare\\Zarvo\\Phone", "0"}},
      {"RegQueryValueExW", {"HKLM\\SoftWare\\Zarvo\\Phone", "bShowCallTime", "0"}},
      {"RegQueryValueExW", {"HKLM\\SoftWare\\Zarvo\\Phone", "bMirrorCamera", "2"}},
      {"RegSetValueExW", {"HKLM\\SoftWare\\Zarvo\\Phone", "", "0"}},
      {"RegOpenKeyExW", {"HKLM\\System\\GDI\\Rotation", "2"}},
      {"RegDeleteKeyW", {"HKLM\\SoftWare\\Zarvo\\Gone", "2"}},
      {"RegCloseKey", {"HKLM\\SoftWare\\Zarvo\\Phone"}},
      {"RegCloseKey", {"HKLM\\SoftWare\\Zarvo"}},
      {"RegCloseKey", {"HKLM\\Software"}},
      {"RegCloseKey", {"<invalid handle>"}},
  };
  auto calls = handset::trace::Calls();
  ASSERT_EQ(calls.size(), expected.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].function, expected[i].function) << "call " << i;
    EXPECT_EQ(calls[i].args, expected[i].args) << "call " << i;
  }
}

TEST_F(RegistryTraceTest, FailedOpenAttemptsAreRecordedWithTheirError) {
  handset::registry::FailKey("HKLM\\SoftWare\\Zarvo");
  handset::trace::Start();
  HKEY key = nullptr;
  EXPECT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExW(reinterpret_cast<HKEY>(0x7777), u"Phone", 0, 0, &key), ERROR_INVALID_HANDLE);
  handset::trace::Stop();
  EXPECT_EQ(CreateKey(HKEY_LOCAL_MACHINE, u"Other", &key), ERROR_SUCCESS);  // not recorded
  RegCloseKey(key);

  auto creates = handset::trace::Calls("RegCreateKeyExW");
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].args, (std::vector<std::string>{"HKLM\\SoftWare\\Zarvo", "5"}));
  auto opens = handset::trace::Calls("RegOpenKeyExW");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].args, (std::vector<std::string>{"<invalid handle>\\Phone", "6"}));
}

}  // namespace
