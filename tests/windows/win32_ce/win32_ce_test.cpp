// The CE layer on desktop Windows, where it does more than pass a call on: exports by UTF-16 name
// and by ordinal, keys opened with access 0 that can read and write as on CE, the input panel and
// the battery records checked as CE checks them.
#include <windows.h>

#include <aygshell.h>
#include <gtest/gtest.h>

#include "support/vlmrc_test.h"

namespace {

using Win32CeTest = testing_support::VlmrcTest;

TEST_F(Win32CeTest, GetProcAddressWFindsAnExportByUtf16NameOrByOrdinal) {
  FARPROC byName = GetProcAddress(module_, "GetVTOptSetting");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(GetProcAddressW(module_, TEXT("GetVTOptSetting")), byName);
  EXPECT_EQ(GetProcAddressW(module_, MAKEINTRESOURCEW(16)), byName);  // its ordinal in vlmrc.def

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetProcAddressW(module_, TEXT("GetVTOptSettings")), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  const WCHAR notAscii[] = {'G', 'e', 't', 0x00E9, 0};
  EXPECT_EQ(GetProcAddressW(module_, notAscii), nullptr);
}

TEST_F(Win32CeTest, KeysOpenedWithAccessZeroReadAndWriteAsOnCe) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Zarvo\\Probe"), 0, nullptr, 0, 0, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  DWORD value = 7;
  EXPECT_EQ(RegSetValueExW(key, TEXT("Written"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value)),
            ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Zarvo\\Probe"), 0, 0, &key), ERROR_SUCCESS);
  DWORD read = 0;
  DWORD size = sizeof(read);
  EXPECT_EQ(RegQueryValueExW(key, TEXT("Written"), nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(read, 7u);
  EXPECT_EQ(RegDeleteValueW(key, TEXT("Written")), ERROR_SUCCESS);
  RegCloseKey(key);

  // A mask that asks for less is kept: such a key reads but does not write.
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Zarvo\\Probe"), 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, TEXT("Written"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value)),
            ERROR_ACCESS_DENIED);
  RegCloseKey(key);
}

TEST_F(Win32CeTest, RecordsOfTheWrongSizeAreRefused) {
  SIPINFO sip{};
  sip.cbSize = sizeof(sip) - 1;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(SipGetInfo(&sip));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  sip.cbSize = sizeof(sip);
  ASSERT_TRUE(SipGetInfo(&sip));
  EXPECT_EQ(sip.fdwFlags, static_cast<DWORD>(SIPF_OFF));  // a desktop has no input panel
  EXPECT_TRUE(IsRectEmpty(&sip.rcSipRect));
  EXPECT_FALSE(IsRectEmpty(&sip.rcVisibleDesktop));

  SHMENUBARINFO bar{};
  bar.cbSize = sizeof(bar) + 1;
  EXPECT_FALSE(SHCreateMenuBar(&bar));
  OPENFILENAMEEX picker{};
  picker.lStructSize = sizeof(picker) - 4;
  EXPECT_FALSE(GetOpenFileNameEx(&picker));
  SHINITDLGINFO init{};
  init.dwMask = 0;
  EXPECT_FALSE(SHInitDialog(&init));
  EXPECT_FALSE(GetSystemPowerStatusEx(nullptr, TRUE));
}

}  // namespace
