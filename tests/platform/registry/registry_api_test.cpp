// The registry functions of the Win32 surface, as the device's applications use them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "handset/handset.h"
#include "handset/registry.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using RegistryApiTest = HandsetTest;

LPWSTR EmptyClass() { return const_cast<LPWSTR>(u""); }

HKEY Create(HKEY base, LPCWSTR path, DWORD* disposition = nullptr) {
  HKEY key = nullptr;
  DWORD ignored;
  EXPECT_EQ(RegCreateKeyExW(base, path, 0, EmptyClass(), 0, 0, nullptr, &key, disposition ? disposition : &ignored),
            ERROR_SUCCESS);
  return key;
}

LONG SetDword(HKEY key, LPCWSTR name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

TEST_F(RegistryApiTest, CreateMakesTheKeysAboveAndReportsWhetherTheKeyWasNew) {
  DWORD disposition = 0;
  HKEY phone = Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_TRUE(handset::registry::KeyExists("HKLM\\Software\\Zarvo"));

  HKEY again = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\zarvo\\phone\\", &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  ASSERT_EQ(SetDword(again, u"MuteVideo", 7), ERROR_SUCCESS);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", "mutevideo"), 7u);

  // The disposition may be left out; the access mask is ignored as on the device.
  HKEY third = nullptr;
  EXPECT_EQ(RegCreateKeyExW(phone, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &third, nullptr), ERROR_SUCCESS);
  EXPECT_NE(third, phone);
  for (HKEY key : {phone, again, third}) EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryApiTest, OpenNeverCreatesAndLeavesTheResultAloneOnFailure) {
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", 0, 0, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, reinterpret_cast<HKEY>(0x1234));
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\System"));

  handset::registry::WriteDword("HKLM\\System\\GDI\\Rotation", "Angle", 90);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"system\\gdi\\ROTATION", 0, 0, &key), ERROR_SUCCESS);
  DWORD angle = 0, size = sizeof angle;
  EXPECT_EQ(RegQueryValueExW(key, u"ANGLE", nullptr, nullptr, reinterpret_cast<BYTE*>(&angle), &size), ERROR_SUCCESS);
  EXPECT_EQ(angle, 90u);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryApiTest, MalformedPathsAndNamesAreRefused) {
  HKEY key = nullptr;
  DWORD d;
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\Software", 0, EmptyClass(), 0, 0, nullptr, &key, &d),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\\\Zarvo", 0, EmptyClass(), 0, 0, nullptr, &key, &d),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"A", 0, EmptyClass(), 0, 0, nullptr, nullptr, &d),
            ERROR_INVALID_PARAMETER);
  // Names of up to 255 characters and 16 levels below a root, as on the device.
  std::u16string longest(255, u'k');
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, longest.c_str(), 0, EmptyClass(), 0, 0, nullptr, &key, &d), ERROR_SUCCESS);
  RegCloseKey(key);
  std::u16string tooLong(256, u'k');
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, tooLong.c_str(), 0, EmptyClass(), 0, 0, nullptr, &key, &d),
            ERROR_INVALID_PARAMETER);
  HKEY deep = Create(HKEY_CURRENT_USER, u"1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11\\12\\13\\14\\15");
  HKEY deepest = Create(deep, u"16");
  EXPECT_EQ(RegCreateKeyExW(deepest, u"17", 0, EmptyClass(), 0, 0, nullptr, &key, &d), ERROR_INVALID_PARAMETER);
  RegCloseKey(deepest);
  RegCloseKey(deep);
  // Nothing of the refused calls was made.
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\Software"));
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\A"));
  EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"line\nbreak", 1), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryApiTest, NamesAreCaseInsensitiveButKeepTheSpellingThatCreatedThem) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo");
  HKEY upper = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\ZARVO\\\u00C9T\u00C9");
  RegCloseKey(upper);
  ASSERT_EQ(SetDword(key, u"bShowCallTime", 1), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(key, u"BSHOWCALLTIME", 2), ERROR_SUCCESS);

  WCHAR name[64];
  DWORD nameSize = 64, type = 0;
  ASSERT_EQ(RegEnumValueW(key, 0, name, &nameSize, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, nameSize), u"bShowCallTime");
  nameSize = 64;
  EXPECT_EQ(RegEnumValueW(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\software\\zarvo", "bshowcalltime"), 2u);

  // The key that created the path keeps its spelling; letter case folds beyond ASCII too.
  nameSize = 64;
  ASSERT_EQ(RegEnumKeyExW(HKEY_LOCAL_MACHINE, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, nameSize), u"SoftWare");
  EXPECT_TRUE(handset::registry::KeyExists("HKLM\\software\\zarvo\\\u00E9t\u00E9"));
  RegCloseKey(key);
}

TEST_F(RegistryApiTest, QueryReportsTypeAndSizeAsWin32Does) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone");
  const char16_t text[] = u"\\Windows\\a.png";
  ASSERT_EQ(RegSetValueExW(key, u"PicFileName", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
            ERROR_SUCCESS);

  // Buffer too small: ERROR_MORE_DATA, the size needed and the type, the buffer untouched.
  DWORD type = 99, size = 4, value = 5;
  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, sizeof text);
  EXPECT_EQ(value, 5u);

  // No buffer: only the size (and type).
  size = 0;
  type = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof text);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);

  // Exactly big enough: the bytes and their size.
  WCHAR buffer[32];
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(buffer), text);

  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
            ERROR_INVALID_PARAMETER);
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"PicFileName", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryApiTest, ValuesKeepTheirTypeAndBytesExactly) {
  HKEY key = Create(HKEY_CURRENT_USER, u"ControlPanel\\PhoneExtendFunction");
  const BYTE odd[] = {'a', 0, 'b'};  // a REG_SZ of odd size without terminator
  ASSERT_EQ(RegSetValueExW(key, u"Odd", 0, REG_SZ, odd, sizeof odd), ERROR_SUCCESS);
  const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};  // a REG_DWORD that is not 4 bytes
  ASSERT_EQ(RegSetValueExW(key, u"Wide", 0, REG_DWORD, eight, sizeof eight), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, nullptr, 0, 0x12345, nullptr, 0), ERROR_SUCCESS);  // default value, custom type
  EXPECT_EQ(RegSetValueExW(key, u"Bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

  using handset::registry::Value;
  EXPECT_EQ(handset::registry::Read("HKCU\\ControlPanel\\PhoneExtendFunction", "Odd"),
            (Value{REG_SZ, {'a', 0, 'b'}}));
  EXPECT_EQ(handset::registry::Read("HKCU\\ControlPanel\\PhoneExtendFunction", "Wide"),
            (Value{REG_DWORD, {1, 2, 3, 4, 5, 6, 7, 8}}));
  EXPECT_EQ(handset::registry::Read("HKCU\\ControlPanel\\PhoneExtendFunction", ""), (Value{0x12345, {}}));

  // A 4-byte read of the 8-byte DWORD fails with the size needed, as a settings reader relies on.
  DWORD value = 0, size = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"Wide", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);

  EXPECT_EQ(RegDeleteValueW(key, u"WIDE"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Wide"), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(handset::registry::Read("HKCU\\ControlPanel\\PhoneExtendFunction", "Wide"));
  RegCloseKey(key);
}

TEST_F(RegistryApiTest, DeleteKeyRemovesTheSubtreeAndItsHandlesFailAfterwards) {
  HKEY zarvo = Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo");
  HKEY phone = Create(zarvo, u"Phone");
  HKEY inner = Create(phone, u"Inner\\Deeper");
  ASSERT_EQ(SetDword(inner, u"x", 1), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"software\\zarvo\\phone"), ERROR_SUCCESS);
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\Software\\Zarvo\\Phone"));
  EXPECT_TRUE(handset::registry::KeyExists("HKLM\\Software\\Zarvo"));
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(zarvo, u""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteKeyW(zarvo, nullptr), ERROR_INVALID_PARAMETER);

  // Handles on the deleted keys fail, even once a key of the same name exists again.
  HKEY recreated = Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone\\Inner\\Deeper");
  DWORD value, size = sizeof value;
  HKEY child = nullptr;
  DWORD d;
  for (HKEY stale : {phone, inner}) {
    EXPECT_EQ(RegQueryValueExW(stale, u"x", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_KEY_DELETED);
    EXPECT_EQ(SetDword(stale, u"x", 2), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyExW(stale, u"c", 0, EmptyClass(), 0, 0, nullptr, &child, &d), ERROR_KEY_DELETED);
    EXPECT_EQ(RegOpenKeyExW(stale, nullptr, 0, 0, &child), ERROR_KEY_DELETED);
    EXPECT_EQ(RegFlushKey(stale), ERROR_KEY_DELETED);
  }
  EXPECT_FALSE(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone\\Inner\\Deeper", "x"));
  EXPECT_EQ(RegCloseKey(phone), ERROR_SUCCESS);  // closing still works
  EXPECT_EQ(RegCloseKey(inner), ERROR_SUCCESS);
  RegCloseKey(recreated);
  RegCloseKey(zarvo);
}

TEST_F(RegistryApiTest, HandlesComeFromTheHandleTableAndCloseOnce) {
  std::size_t before = handset::LiveHandleCount();
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software");
  EXPECT_LE(reinterpret_cast<std::uintptr_t>(key), 0xFFFFFFFFu);
  EXPECT_EQ(handset::LiveHandleCount(), before + 1);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(handset::LiveHandleCount(), before);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetDword(key, u"x", 1), ERROR_INVALID_HANDLE);

  // The predefined roots may be closed harmlessly, and are still usable afterwards, also when a
  // 32-bit field hands them back without sign extension.
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  HKEY fromField = static_cast<HKEY>(UlongToHandle(HandleToUlong(HKEY_USERS)));
  EXPECT_EQ(SetDword(fromField, u"v", 3), ERROR_SUCCESS);
  EXPECT_EQ(handset::registry::ReadDword("HKEY_USERS", "v"), 3u);
  EXPECT_EQ(SetDword(HKEY_CLASSES_ROOT, u"v", 4), ERROR_SUCCESS);
  EXPECT_EQ(handset::registry::ReadDword("HKCR", "v"), 4u);
}

TEST_F(RegistryApiTest, EnumerationListsSubkeysInNameOrderAndValuesInCreationOrder) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo");
  for (LPCWSTR sub : {u"b", u"A", u"_x", u"C"}) RegCloseKey(Create(key, sub));
  for (LPCWSTR name : {u"z", u"y"}) SetDword(key, name, 1);

  std::vector<std::u16string> names;
  WCHAR name[8];
  DWORD size = 8;
  for (DWORD i = 0; RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, size = 8)
    names.emplace_back(name, size);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"A", u"b", u"C", u"_x"}));  // "_" sorts after letters

  size = 1;  // no room for the terminator
  EXPECT_EQ(RegEnumKeyExW(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  WCHAR keyClass[4] = {u'?'};
  DWORD classSize = 4;
  size = 8;
  EXPECT_EQ(RegEnumKeyExW(key, 0, name, &size, nullptr, keyClass, &classSize, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(classSize, 0u);
  EXPECT_EQ(keyClass[0], 0);

  DWORD value = 0, dataSize = 2, type = 0;
  size = 8;
  EXPECT_EQ(RegEnumValueW(key, 1, name, &size, nullptr, &type, reinterpret_cast<BYTE*>(&value), &dataSize),
            ERROR_MORE_DATA);
  EXPECT_EQ(dataSize, 4u);
  dataSize = 4;
  size = 8;
  ASSERT_EQ(RegEnumValueW(key, 1, name, &size, nullptr, &type, reinterpret_cast<BYTE*>(&value), &dataSize),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, size), u"y");
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegCloseKey(key);
}

}  // namespace
