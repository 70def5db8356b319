// Resources: lookup by id, name and type, languages, the localized resource modules, LoadStringW.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "handset/handset.h"
#include "handset/modules.h"
#include "loader_fixture.h"

namespace loader_testing {
namespace {

class ResourcesTest : public ResmodTest {
 protected:
  // The bytes of a resource as text; "" when it is not found.
  std::string Text(LPCWSTR name, LPCWSTR type) {
    HRSRC resource = FindResourceW(module_, name, type);
    if (resource == nullptr) return "";
    auto* data = static_cast<const char*>(LockResource(LoadResource(module_, resource)));
    return std::string(data, SizeofResource(module_, resource));
  }

  std::u16string String(UINT id) {
    WCHAR buffer[64] = u"untouched";
    int length = LoadStringW(module_, id, buffer, 64);
    if (length == 0) return u"";
    EXPECT_EQ(static_cast<std::size_t>(length), std::u16string(buffer).size());
    return buffer;
  }

};

TEST_F(ResourcesTest, ResourcesAreFoundByNumberNameAndType) {
  EXPECT_EQ(Text(MAKEINTRESOURCEW(101), RT_RCDATA), "english");
  EXPECT_EQ(Text(u"CONFIG", RT_RCDATA), "config data");
  EXPECT_EQ(Text(u"config", RT_RCDATA), "config data") << "names ignore case";
  EXPECT_EQ(Text(u"#101", RT_RCDATA), "english") << "#n names the number n";
  EXPECT_EQ(Text(MAKEINTRESOURCEW(5), u"layout"), "custom type");
  // The layout templates live in the module itself, not in its localized resource module.
  HRSRC dialog = FindResourceW(module_, MAKEINTRESOURCEW(200), RT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  EXPECT_GT(SizeofResource(module_, dialog), 18u);
  // The same resource is the same handle, and its data stays in place.
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(200), RT_DIALOG), dialog);
  EXPECT_EQ(LoadResource(module_, dialog), LoadResource(module_, dialog));
  EXPECT_EQ(LockResource(LoadResource(module_, dialog)), LoadResource(module_, dialog));
}

TEST_F(ResourcesTest, MissingResourcesReportWhatIsMissing) {
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(999), RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(1), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module_, nullptr, RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

  HMODULE plain = LoadLibraryW(u"plain.dll");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(FindResourceW(plain, MAKEINTRESOURCEW(1), RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  FreeLibrary(plain);

  EXPECT_EQ(FindResourceW(reinterpret_cast<HMODULE>(0x7FFF0000), MAKEINTRESOURCEW(101), RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadResource(module_, reinterpret_cast<HRSRC>(0x7FFF0000)), nullptr);
  EXPECT_EQ(SizeofResource(module_, reinterpret_cast<HRSRC>(0x7FFF0000)), 0u);
}

TEST_F(ResourcesTest, AResourceIsLoadedOnlyThroughTheModuleThatFoundIt) {
  HMODULE plain = LoadLibraryW(u"plain.dll");
  HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(101), RT_RCDATA);
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(LoadResource(plain, resource), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  FreeLibrary(plain);
}

TEST_F(ResourcesTest, TheUserInterfaceLanguageChoosesAmongTheLanguagesOfAResource) {
  EXPECT_EQ(handset::UILanguage(), 0x0409);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
  EXPECT_EQ(Text(MAKEINTRESOURCEW(101), RT_RCDATA), "english");
  handset::SetUILanguage(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0411);
  EXPECT_EQ(Text(MAKEINTRESOURCEW(101), RT_RCDATA), "japanese");
  handset::SetUILanguage(0x0809);  // English, United Kingdom: the same primary language
  EXPECT_EQ(Text(MAKEINTRESOURCEW(101), RT_RCDATA), "english");
  handset::SetUILanguage(MAKELANGID(LANG_FRENCH, SUBLANG_DEFAULT));  // none: the neutral one
  EXPECT_EQ(Text(MAKEINTRESOURCEW(101), RT_RCDATA), "neutral");
  EXPECT_EQ(Text(MAKEINTRESOURCEW(102), RT_RCDATA), "japanese only") << "any language rather than none";
}

TEST_F(ResourcesTest, StringsComeFromTheLocalizedModuleOfTheLanguageThenUsEnglishThenTheModule) {
  EXPECT_EQ(String(2), u"English two") << "the localized module hides the module's own block";
  EXPECT_EQ(String(40), u"English forty");
  EXPECT_EQ(String(65), u"module sixty-five") << "a block only the module has";

  handset::SetUILanguage(0x0411);
  EXPECT_EQ(String(2), u"日本語の二");
  EXPECT_EQ(String(3), u"") << "blocks are taken whole: block 0 of Japanese has no string 3";
  EXPECT_EQ(String(40), u"English forty") << "a block Japanese lacks comes from US English";
  EXPECT_EQ(String(65), u"module sixty-five");

  handset::SetUILanguage(0x040C);  // no French module: US English
  EXPECT_EQ(String(2), u"English two");
  handset::SetUILanguage(0x0409);
  EXPECT_EQ(String(2), u"English two");
}

TEST_F(ResourcesTest, LoadStringFollowsWin32) {
  WCHAR buffer[16];
  // Truncated to the capacity, with a terminator.
  std::fill(std::begin(buffer), std::end(buffer), u'x');
  EXPECT_EQ(LoadStringW(module_, 2, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Engl");
  EXPECT_EQ(buffer[5], u'x');
  EXPECT_EQ(LoadStringW(module_, 2, buffer, 1), 0);
  EXPECT_EQ(buffer[0], u'\0');

  // Capacity 0: a read-only pointer to the text in the resource, which is not terminated.
  const WCHAR* text = nullptr;
  EXPECT_EQ(LoadStringW(module_, 40, reinterpret_cast<LPWSTR>(&text), 0), 13);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text, 13), u"English forty");

  // A string its block does not have: 0, an empty buffer.
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(module_, 5, buffer, 16), 0);
  EXPECT_EQ(buffer[0], u'\0');
  // No block at all: 0, and the buffer is left alone.
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(module_, 1000, buffer, 16), 0);
  EXPECT_EQ(buffer[0], u'x');
  EXPECT_EQ(LoadStringW(module_, 2, nullptr, 16), 0);
}

TEST_F(ResourcesTest, AnUnreadableLocalizedModuleIsPassedOver) {
  // A copy of the module in \Windows, with the US English module but a broken Japanese one.
  Install("resmod.dll", u"\\Windows", "other.dll");
  Install("resmod.dll.0409.mui", u"\\Windows", "other.dll.0409.mui");
  std::ofstream(handset::HostPath(u"\\Windows\\other.dll.0411.mui")) << "not a module";
  HMODULE other = LoadLibraryW(u"other.dll");
  ASSERT_NE(other, nullptr) << handset::LastLoadFailure();
  handset::SetUILanguage(0x0411);
  WCHAR buffer[32];
  EXPECT_EQ(LoadStringW(other, 2, buffer, 32), 11);
  EXPECT_EQ(std::u16string(buffer), u"English two");
  FreeLibrary(other);
}

TEST_F(ResourcesTest, ResourceHandlesAreReleasedWithTheModule) {
  HMODULE plain = LoadLibraryW(u"plain.dll");
  std::size_t before = handset::LiveHandleCount();
  HMODULE other = LoadLibraryW(u"\\Windows\\resmod.dll");
  EXPECT_EQ(other, module_);
  ASSERT_NE(FindResourceW(module_, MAKEINTRESOURCEW(101), RT_RCDATA), nullptr);
  ASSERT_NE(FindResourceW(module_, MAKEINTRESOURCEW(200), RT_DIALOG), nullptr);
  EXPECT_EQ(handset::LiveHandleCount(), before + 2);
  FreeLibrary(module_);
  FreeLibrary(module_);
  module_ = plain;
  EXPECT_EQ(handset::LiveHandleCount(), before - 1);
}

// A string block of a module registered in memory, with any bytes a test wants.
std::vector<std::byte> Block(std::initializer_list<char16_t> units) {
  std::vector<std::byte> bytes(units.size() * 2);
  std::memcpy(bytes.data(), std::data(units), bytes.size());
  return bytes;
}

TEST_F(ResourcesTest, ModulesRegisteredInMemoryCarryResources) {
  handset::RegisterModule(
      u"fake.dll",
      {.resources = {{WORD{6}, WORD{1}, Block({0, 2, u'h', u'i'})},  // strings 0 and 1 of block 0
                     {u"DATA", u"Item", {std::byte{1}, std::byte{2}, std::byte{3}}},
                     // Block 2 claims a longer string than it holds.
                     {WORD{6}, WORD{2}, Block({9, u'a', u'b'})}}});
  HMODULE fake = LoadLibraryW(u"fake.dll");
  ASSERT_NE(fake, nullptr);
  WCHAR buffer[16];
  EXPECT_EQ(LoadStringW(fake, 1, buffer, 16), 2);
  EXPECT_EQ(std::u16string(buffer), u"hi");
  EXPECT_EQ(LoadStringW(fake, 16, buffer, 16), 0);
  HRSRC item = FindResourceW(fake, u"item", u"data");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(SizeofResource(fake, item), 3u);
  EXPECT_EQ(static_cast<const std::byte*>(LockResource(LoadResource(fake, item)))[2], std::byte{3});
  FreeLibrary(fake);
}

}  // namespace
}  // namespace loader_testing
