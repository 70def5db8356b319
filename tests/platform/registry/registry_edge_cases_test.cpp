// The registry's answers at the edges: paths of unusual form, opening a key on itself, buffers that
// are too small, missing values, and what RegQueryInfoKeyW reports of a key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handset/handset.h"
#include "handset/registry.h"
#include "handset/text.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using RegistryEdgeCasesTest = testing_support::HandsetTest;

const HKEY kUntouched = reinterpret_cast<HKEY>(0x1234);

LONG Open(HKEY base, LPCWSTR path, HKEY& key) { return RegOpenKeyExW(base, path, 0, 0, &key); }

LONG Create(HKEY base, LPCWSTR path, HKEY& key) {
  DWORD disposition = 0;
  return RegCreateKeyExW(base, path, 0, nullptr, 0, 0, nullptr, &key, &disposition);
}

LONG SetBytes(HKEY key, LPCWSTR name, DWORD type, std::size_t size) {
  std::vector<BYTE> data(size, 0x5A);
  return RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(size));
}

struct PathCase {
  const char16_t* path;
  LONG open;
  LONG create;
};

TEST_F(RegistryEdgeCasesTest, PathsAnswerAsWin32DoesAndAFailureLeavesTheHandleVariableAlone) {
  handset::registry::WriteDword("HKLM\\Software\\Zarvo", "Kept", 1);
  const PathCase cases[] = {
      {u"Software\\Zarvo", ERROR_SUCCESS, ERROR_SUCCESS},
      {u"Software\\Zarvo\\", ERROR_SUCCESS, ERROR_SUCCESS},
      {u"Software\\Zarvo\\\\\\", ERROR_SUCCESS, ERROR_SUCCESS},
      {u"\\Software\\Zarvo", ERROR_BAD_PATHNAME, ERROR_BAD_PATHNAME},
      {u"\\", ERROR_BAD_PATHNAME, ERROR_BAD_PATHNAME},
      {u"Software\\\\Zarvo", ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
      {u"Software\\Missing\\", ERROR_FILE_NOT_FOUND, ERROR_SUCCESS},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(handset::Utf8(c.path));
    for (bool create : {false, true}) {
      HKEY key = kUntouched;
      LONG result = create ? Create(HKEY_LOCAL_MACHINE, c.path, key) : Open(HKEY_LOCAL_MACHINE, c.path, key);
      EXPECT_EQ(result, create ? c.create : c.open);
      if (result != ERROR_SUCCESS) {
        EXPECT_EQ(key, kUntouched);
        continue;
      }
      DWORD kept = 0, size = sizeof kept;
      LONG read = RegQueryValueExW(key, u"Kept", nullptr, nullptr, reinterpret_cast<BYTE*>(&kept), &size);
      EXPECT_EQ(read, c.open == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
  }
  // Deleting takes the same paths: a leading backslash is of the wrong form, trailing ones are ignored.
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"\\Software\\Missing"), ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Software\\Missing\\\\"), ERROR_SUCCESS);
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\Software\\Missing"));
}

TEST_F(RegistryEdgeCasesTest, OpeningNoSubkeyMakesANewHandleToTheSameKeyAsOnCe) {
  handset::registry::WriteDword("HKLM\\Software\\Zarvo", "Kept", 7);
  HKEY zarvo = nullptr;
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, u"Software\\Zarvo", zarvo), ERROR_SUCCESS);
  struct Case {
    HKEY base;
    const char16_t* subKey;
    const char16_t* valuePath;  // where "Kept" lies, relative to the key opened
  };
  const Case cases[] = {{zarvo, nullptr, nullptr}, {zarvo, u"", nullptr},
                        {HKEY_LOCAL_MACHINE, nullptr, u"Software\\Zarvo"}, {HKEY_LOCAL_MACHINE, u"", u"Software\\Zarvo"}};
  for (const Case& c : cases) {
    HKEY again = nullptr;
    ASSERT_EQ(Open(c.base, c.subKey, again), ERROR_SUCCESS);
    EXPECT_NE(again, c.base);
    HKEY valueKey = again;
    if (c.valuePath) {
      ASSERT_EQ(Open(again, c.valuePath, valueKey), ERROR_SUCCESS);
    }
    DWORD kept = 0, size = sizeof kept;
    EXPECT_EQ(RegQueryValueExW(valueKey, u"Kept", nullptr, nullptr, reinterpret_cast<BYTE*>(&kept), &size), ERROR_SUCCESS);
    EXPECT_EQ(kept, 7u);
    if (valueKey != again) RegCloseKey(valueKey);
    // The new handle closes on its own; the key it was opened from stays open.
    EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(again), ERROR_INVALID_HANDLE);
  }
  EXPECT_EQ(RegCloseKey(zarvo), ERROR_SUCCESS);
}

TEST_F(RegistryEdgeCasesTest, AMissingValueReportsASizeOfZero) {
  HKEY key = nullptr;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, u"ControlPanel\\Phone", key), ERROR_SUCCESS);
  for (bool withBuffer : {false, true}) {
    DWORD type = 99, size = 4, value = 5;
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, &type, withBuffer ? reinterpret_cast<BYTE*>(&value) : nullptr,
                               &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, 99u);
    EXPECT_EQ(value, 5u);
  }
  RegCloseKey(key);
}

TEST_F(RegistryEdgeCasesTest, EnumeratingANameThatDoesNotFitReportsTheTypeAndTheDataSize) {
  HKEY key = nullptr;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, u"ControlPanel\\Phone", key), ERROR_SUCCESS);
  ASSERT_EQ(SetBytes(key, u"Ringtone", REG_BINARY, 12), ERROR_SUCCESS);
  struct Case {
    DWORD nameSize;  // "Ringtone" needs 9 with its terminator
    bool withBuffer;
  };
  for (const Case& c : {Case{8, false}, Case{8, true}, Case{1, true}}) {
    WCHAR name[16] = {u'?'};
    DWORD nameSize = c.nameSize, type = 0, dataSize = 64;
    BYTE data[64] = {1};
    EXPECT_EQ(RegEnumValueW(key, 0, name, &nameSize, nullptr, &type, c.withBuffer ? data : nullptr, &dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(dataSize, 12u);
    EXPECT_EQ(data[0], 1);  // nothing copied
    EXPECT_EQ(name[0], u'?');
  }
  RegCloseKey(key);
}

TEST_F(RegistryEdgeCasesTest, QueryInfoKeyCountsAndMeasuresTheKey) {
  HKEY key = nullptr;
  ASSERT_EQ(Create(HKEY_LOCAL_MACHINE, u"Software\\Zarvo", key), ERROR_SUCCESS);
  for (LPCWSTR sub : {u"Ab", u"LongestName", u"C\\Below\\TheLongestOfAll"}) {
    HKEY made = nullptr;
    ASSERT_EQ(Create(key, sub, made), ERROR_SUCCESS);
    RegCloseKey(made);
  }
  ASSERT_EQ(SetBytes(key, u"", REG_SZ, 30), ERROR_SUCCESS);
  ASSERT_EQ(SetBytes(key, u"Value12", REG_DWORD, 4), ERROR_SUCCESS);
  ASSERT_EQ(SetBytes(key, u"V", REG_BINARY, 0), ERROR_SUCCESS);

  // Every output, for the key and for an empty one: {sub-keys, longest sub-key, values, longest
  // value name, longest data}.
  HKEY empty = nullptr;
  ASSERT_EQ(Open(key, u"Ab", empty), ERROR_SUCCESS);
  struct Case {
    HKEY key;
    DWORD subKeys, maxSubKey, values, maxName, maxData;
  };
  for (const Case& c : {Case{key, 3, 11, 3, 7, 30}, Case{empty, 0, 0, 0, 0, 0}}) {
    WCHAR keyClass[4] = {u'?'};
    DWORD classSize = 4, subKeys = 99, maxSubKey = 99, maxClass = 99, values = 99, maxName = 99, maxData = 99,
          security = 99;
    FILETIME written{1, 2};
    ASSERT_EQ(RegQueryInfoKeyW(c.key, keyClass, &classSize, nullptr, &subKeys, &maxSubKey, &maxClass, &values, &maxName,
                               &maxData, &security, &written),
              ERROR_SUCCESS);
    EXPECT_EQ(std::vector<DWORD>({subKeys, maxSubKey, values, maxName, maxData}),
              std::vector<DWORD>({c.subKeys, c.maxSubKey, c.values, c.maxName, c.maxData}));
    EXPECT_EQ(keyClass[0], 0);
    EXPECT_EQ(std::vector<DWORD>({classSize, maxClass, security}), std::vector<DWORD>({0, 0, 0}));
    EXPECT_EQ(written.dwLowDateTime, 1u);  // the device keeps no write time
  }
  // Every output may be left out.
  EXPECT_EQ(RegQueryInfoKeyW(HKEY_LOCAL_MACHINE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);

  // The failures: a class buffer without room or without its size, a reserved pointer, an unknown
  // handle, a deleted key.
  WCHAR keyClass[1];
  DWORD classSize = 0, reserved = 0, subKeys = 99;
  EXPECT_EQ(RegQueryInfoKeyW(key, keyClass, &classSize, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_MORE_DATA);
  EXPECT_EQ(subKeys, 3u);
  EXPECT_EQ(RegQueryInfoKeyW(key, keyClass, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, &reserved, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryInfoKeyW(kUntouched, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_INVALID_HANDLE);
  ASSERT_EQ(RegDeleteKeyW(key, u"Ab"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryInfoKeyW(empty, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_KEY_DELETED);
  RegCloseKey(empty);
  RegCloseKey(key);
}

}  // namespace
