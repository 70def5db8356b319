// RegistryGetDWORD and RegistryGetString: the value by key path and name, HRESULT results as the
// shell library defines them, the caller's buffer untouched by every failure, no key left open.
#include <regext.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "handset/handset.h"
#include "handset/registry.h"
#include "support/handset_test.h"
#include "support/record_text.h"

namespace {

namespace registry = handset::registry;
using testing_support::RecordText;

constexpr char kKey[] = "HKLM\\Software\\Zarvo\\SharedResource\\Common";
const LPCWSTR kSubKey = TEXT("Software\\Zarvo\\SharedResource\\Common");
constexpr DWORD kUntouched = 0xA5A5A5A5;

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

class RegistryReadersTest : public testing_support::HandsetTest {};

TEST_F(RegistryReadersTest, GetDWORDReadsThroughASubKeyOrFromTheKeyItselfAndClosesWhatItOpened) {
  registry::WriteDword(kKey, "QualityForWestern", 0x105);
  std::size_t handles = handset::LiveHandleCount();
  DWORD value = kUntouched;
  EXPECT_EQ(RegistryGetDWORD(HKEY_LOCAL_MACHINE, kSubKey, TEXT("QualityForWestern"), &value), S_OK);
  EXPECT_EQ(value, 0x105u);
  EXPECT_EQ(handset::LiveHandleCount(), handles);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSubKey, 0, 0, &key), ERROR_SUCCESS);
  value = kUntouched;
  EXPECT_EQ(RegistryGetDWORD(key, nullptr, TEXT("QualityForWestern"), &value), S_OK);
  EXPECT_EQ(value, 0x105u);
  // The caller's own key stays open.
  EXPECT_EQ(RegQueryValueExW(key, TEXT("QualityForWestern"), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryReadersTest, GetDWORDFailuresLeaveTheValueAlone) {
  registry::WriteString(kKey, "Text", u"12");
  std::array<std::uint8_t, 4> four{1, 2, 3, 4};
  registry::Write(kKey, "Binary", REG_BINARY, four);
  std::array<std::uint8_t, 2> two{1, 2};
  registry::Write(kKey, "ShortDword", REG_DWORD, two);
  std::size_t handles = handset::LiveHandleCount();

  struct Case {
    LPCWSTR subKey;
    LPCWSTR name;
    HRESULT expected;
  };
  for (const Case& c : {Case{TEXT("Software\\Nowhere"), TEXT("Text"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
                        Case{kSubKey, TEXT("Missing"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
                        Case{kSubKey, TEXT("Text"), E_DATATYPE_MISMATCH},
                        Case{kSubKey, TEXT("Binary"), E_DATATYPE_MISMATCH},
                        Case{kSubKey, TEXT("ShortDword"), E_DATATYPE_MISMATCH}}) {
    DWORD value = kUntouched;
    EXPECT_EQ(RegistryGetDWORD(HKEY_LOCAL_MACHINE, c.subKey, c.name, &value), c.expected);
    EXPECT_EQ(value, kUntouched);
  }
  EXPECT_EQ(handset::LiveHandleCount(), handles);
  EXPECT_FALSE(registry::KeyExists("HKLM\\Software\\Nowhere")) << "a read never creates a key";

  DWORD value = kUntouched;
  EXPECT_EQ(RegistryGetDWORD(nullptr, kSubKey, TEXT("Text"), &value), E_INVALIDARG);
  EXPECT_EQ(RegistryGetDWORD(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Text"), nullptr), E_INVALIDARG);
}

TEST_F(RegistryReadersTest, GetDWORDPassesOnTheErrorOfAnUnreadableValue) {
  REQUIRES_HANDSET("registry fault injection");
  registry::WriteDword(kKey, "Locked", 7);
  registry::FailValue(kKey, "Locked", ERROR_ACCESS_DENIED);
  DWORD value = kUntouched;
  EXPECT_EQ(RegistryGetDWORD(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Locked"), &value),
            HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(value, kUntouched);
}

TEST_F(RegistryReadersTest, GetStringNeedsRoomForTheTerminatorAndLeavesTheBufferAloneOtherwise) {
  registry::WriteString(kKey, "Face", u"Tahoma");
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Face"), buffer, 7), S_OK);
  EXPECT_EQ(RecordText(buffer), u"Tahoma");

  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Face"), buffer, 6), E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(buffer, buffer + 8), u"########");
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Face"), buffer, 0), E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(buffer, buffer + 8), u"########");
}

TEST_F(RegistryReadersTest, GetStringTakesTheTextUpToItsFirstTerminatorWithOrWithoutOne) {
  registry::Write(kKey, "Unterminated", REG_SZ, Utf16Bytes(u"Arial"));
  registry::Write(kKey, "Embedded", REG_SZ, Utf16Bytes(std::u16string(u"Ari\0al\0", 7)));
  auto odd = Utf16Bytes(u"Ab");
  odd.push_back('c');
  registry::Write(kKey, "OddSize", REG_SZ, odd);
  registry::WriteString(kKey, "Empty", u"");

  WCHAR buffer[16];
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Unterminated"), buffer, 16), S_OK);
  EXPECT_EQ(RecordText(buffer), u"Arial");
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Embedded"), buffer, 16), S_OK);
  EXPECT_EQ(RecordText(buffer), u"Ari");
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("OddSize"), buffer, 16), S_OK);
  EXPECT_EQ(RecordText(buffer), u"Ab");
  buffer[0] = u'#';
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Empty"), buffer, 16), S_OK);
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(RegistryReadersTest, GetStringRefusesOtherTypesAndMissingValues) {
  registry::WriteDword(kKey, "Number", 3);
  registry::Write(kKey, "Expandable", REG_EXPAND_SZ, Utf16Bytes(std::u16string(u"%x%\0", 4)));
  std::size_t handles = handset::LiveHandleCount();
  WCHAR buffer[16] = TEXT("untouched");
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Number"), buffer, 16), E_DATATYPE_MISMATCH);
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Expandable"), buffer, 16), E_DATATYPE_MISMATCH);
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Missing"), buffer, 16),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, TEXT("Software\\Nowhere"), TEXT("Missing"), buffer, 16),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegistryGetString(HKEY_LOCAL_MACHINE, kSubKey, TEXT("Number"), nullptr, 16), E_INVALIDARG);
  EXPECT_EQ(RecordText(buffer), u"untouched");
  EXPECT_EQ(handset::LiveHandleCount(), handles);
}

}  // namespace
