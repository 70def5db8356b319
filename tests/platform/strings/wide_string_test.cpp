// The device runtime's WCHAR functions beside the host's wchar_t ones of the same names: both sets
// are included here, and calls with char16_t strings must reach the device's functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <string>

#include <windows.h>

namespace {

TEST(WideStringTest, BothFamiliesLiveInOneTranslationUnit) {
  EXPECT_EQ(wcslen(L"four"), 4u);  // the host's
  EXPECT_EQ(wcslen(u"three"), 5u);
  EXPECT_EQ(std::wcslen(L"ab"), 2u);
  EXPECT_EQ(std::wcstol(L"12", nullptr, 10), 12);
  EXPECT_EQ(wcstol(u"12", nullptr, 10), 12);
  EXPECT_EQ(towupper(u'\u0430'), u'\u0410');
  EXPECT_EQ(std::towupper(static_cast<wint_t>(L'a')), static_cast<wint_t>(L'A'));
}

TEST(WideStringTest, CopyAndConcatenateFamilies) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  wcsncpy(buffer, u"ab", 5);  // pads with zeros up to the count
  EXPECT_EQ(std::u16string(buffer, 8), std::u16string(u"ab\0\0\0###", 8));
  wcsncpy(buffer, u"abcdef", 3);  // and leaves a longer source unterminated
  EXPECT_EQ(std::u16string(buffer, 8), std::u16string(u"abc\0\0###", 8));

  WCHAR text[16] = u"ab";
  wcscat(text, u"cd");
  wcsncat(text, u"efgh", 2);
  EXPECT_EQ(std::u16string(text), u"abcdef");
  EXPECT_EQ(wcsnlen(text, 4), 4u);
  EXPECT_EQ(wcsnlen(text, 40), 6u);
  EXPECT_EQ(std::u16string(wcscpy(text, u"x")), u"x");
}

TEST(WideStringTest, CompareAndSearch) {
  EXPECT_LT(wcscmp(u"a", u"b"), 0);
  EXPECT_GT(wcscmp(u"\u00e9", u"z"), 0);  // code order, units unsigned
  EXPECT_LT(wcscmp(u"ab", u"abc"), 0);
  EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);
  EXPECT_EQ(_wcsicmp(u"Static", u"STATIC"), 0);
  EXPECT_EQ(_wcsicmp(u"\u0178", u"\u00ff"), 0);  // Y with diaeresis folds across blocks
  EXPECT_LT(_wcsicmp(u"a", u"B"), 0);
  EXPECT_EQ(_wcsnicmp(u"abcX", u"ABCy", 3), 0);

  const WCHAR* s = u"a.b.c";
  EXPECT_EQ(wcschr(s, u'.'), s + 1);
  EXPECT_EQ(wcsrchr(s, u'.'), s + 3);
  EXPECT_EQ(wcschr(s, u'\0'), s + 5);
  EXPECT_EQ(wcschr(s, u'z'), nullptr);
  EXPECT_EQ(wcsstr(s, u"b.c"), s + 2);
  EXPECT_EQ(wcsstr(s, u""), s);
  EXPECT_EQ(wcsstr(s, u"c.d"), nullptr);
  WCHAR mutableText[] = u"key=value";
  WCHAR* eq = wcschr(mutableText, u'=');
  *eq = 0;
  EXPECT_EQ(std::u16string(mutableText), u"key");
}

TEST(WideStringTest, CaseMappingAndClasses) {
  EXPECT_EQ(towlower(u'A'), u'a');
  EXPECT_EQ(towlower(u'\u00c9'), u'\u00e9');
  EXPECT_EQ(towlower(u'\u00d7'), u'\u00d7');  // the multiplication sign has no case
  EXPECT_EQ(towlower(u'\u0100'), u'\u0101');
  EXPECT_EQ(towlower(u'\u0101'), u'\u0101');
  EXPECT_EQ(towupper(u'\u013a'), u'\u0139');
  EXPECT_EQ(towupper(u'\u03c9'), u'\u03a9');
  EXPECT_EQ(towupper(u'\u03c2'), u'\u03c2');  // final sigma stays
  EXPECT_EQ(towupper(u'\u0451'), u'\u0401');
  EXPECT_EQ(towupper(u'\u00ff'), u'\u0178');
  EXPECT_EQ(towupper(u'1'), u'1');
  EXPECT_TRUE(iswdigit(u'7'));
  EXPECT_FALSE(iswdigit(u'a'));
  EXPECT_TRUE(iswspace(u'\t'));
  EXPECT_TRUE(iswspace(u'\u3000'));
  EXPECT_FALSE(iswspace(u'x'));
}

TEST(WideStringTest, NumberParsingFollowsTheDevicesThirtyTwoBitLong) {
  WCHAR* end = nullptr;
  const WCHAR* text = u"  -123xyz";
  EXPECT_EQ(wcstol(text, &end, 10), -123);
  EXPECT_EQ(end, text + 6);
  EXPECT_EQ(wcstol(u"0x1F", nullptr, 0), 31);
  EXPECT_EQ(wcstol(u"0x1F", nullptr, 16), 31);
  EXPECT_EQ(wcstol(u"017", nullptr, 0), 15);
  EXPECT_EQ(wcstol(u"z", nullptr, 36), 35);

  const WCHAR* none = u"  +x";
  EXPECT_EQ(wcstol(none, &end, 10), 0);
  EXPECT_EQ(end, none);
  const WCHAR* bareHex = u"0xg";
  EXPECT_EQ(wcstol(bareHex, &end, 16), 0);
  EXPECT_EQ(end, bareHex + 1);  // the "0" is the number

  errno = 0;
  EXPECT_EQ(wcstol(u"2147483648", nullptr, 10), 2147483647);
  EXPECT_EQ(errno, ERANGE);
  errno = 0;
  EXPECT_EQ(wcstol(u"-2147483648", nullptr, 10), -2147483647L - 1);
  EXPECT_EQ(errno, 0);
  EXPECT_EQ(wcstol(u"-99999999999999999999999", nullptr, 10), -2147483647L - 1);

  EXPECT_EQ(wcstoul(u"4294967295", nullptr, 10), 4294967295ul);
  errno = 0;
  EXPECT_EQ(wcstoul(u"4294967296", nullptr, 10), 4294967295ul);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(wcstoul(u"-1", nullptr, 10), 4294967295ul);
  EXPECT_EQ(wcstol(u"12", nullptr, 1), 0);

  EXPECT_EQ(_wtoi(u" 42 "), 42);
  EXPECT_EQ(_wtoi(u"abc"), 0);
  EXPECT_EQ(_wtoi(nullptr), 0);
}

TEST(WideStringTest, IntegerToText) {
  WCHAR buffer[40];
  EXPECT_EQ(std::u16string(_itow(-123, buffer, 10)), u"-123");
  EXPECT_EQ(std::u16string(_itow(0, buffer, 10)), u"0");
  EXPECT_EQ(std::u16string(_itow(-1, buffer, 16)), u"ffffffff");
  EXPECT_EQ(std::u16string(_itow(-2147483647 - 1, buffer, 10)), u"-2147483648");
  EXPECT_EQ(std::u16string(_itow(5, buffer, 2)), u"101");
  EXPECT_EQ(std::u16string(_itow(35, buffer, 36)), u"z");
}

}  // namespace
