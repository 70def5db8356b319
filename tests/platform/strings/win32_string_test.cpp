#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

namespace {

TEST(Win32StringTest, LengthCopyAndConcatenate) {
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u""), 0);
  EXPECT_EQ(lstrlenW(u"abc"), 3);

  WCHAR buffer[16] = {};
  EXPECT_EQ(lstrcpyW(buffer, u"Phone"), buffer);
  EXPECT_EQ(lstrcatW(buffer, u"App"), buffer);
  EXPECT_EQ(std::u16string(buffer), u"PhoneApp");

  SetLastError(0);
  EXPECT_EQ(lstrcpyW(nullptr, u"x"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(lstrcatW(buffer, nullptr), nullptr);
  EXPECT_EQ(std::u16string(buffer), u"PhoneApp");
}

TEST(Win32StringTest, CopyWithMaximumCopiesMaxMinusOneAndAlwaysTerminates) {
  auto copy = [](const WCHAR* src, int max) {
    std::vector<WCHAR> buffer(8, u'#');
    EXPECT_EQ(lstrcpynW(buffer.data(), src, max), buffer.data());
    return std::u16string(buffer.begin(), buffer.end());
  };
  EXPECT_EQ(copy(u"abcdef", 4), std::u16string(u"abc\0####", 8));
  EXPECT_EQ(copy(u"ab", 4), std::u16string(u"ab\0#####", 8));  // no padding after the terminator
  EXPECT_EQ(copy(u"abc", 4), std::u16string(u"abc\0####", 8));
  EXPECT_EQ(copy(u"abc", 1), std::u16string(u"\0#######", 8));
  EXPECT_EQ(copy(u"abc", 0), std::u16string(8, u'#'));
  EXPECT_EQ(copy(u"abc", -1), std::u16string(8, u'#'));
  EXPECT_EQ(lstrcpynW(nullptr, u"abc", 4), nullptr);
}

TEST(Win32StringTest, CompareUsesWordSortNotCodeOrder) {
  // Case-sensitive: alphabetical first, lower case before upper case only to break a tie.
  EXPECT_LT(lstrcmpW(u"a", u"B"), 0);
  EXPECT_LT(lstrcmpW(u"a", u"A"), 0);
  EXPECT_LT(lstrcmpW(u"A", u"b"), 0);
  EXPECT_LT(lstrcmpW(u"abc", u"abcd"), 0);
  EXPECT_EQ(lstrcmpW(u"static", u"static"), 0);
  EXPECT_NE(lstrcmpW(u"Static", u"static"), 0);
  // Symbols before digits before letters; an accented letter sorts with its base letter.
  EXPECT_LT(lstrcmpW(u"_x", u"1"), 0);
  EXPECT_LT(lstrcmpW(u"9", u"a"), 0);
  EXPECT_LT(lstrcmpW(u"\u00e9a", u"f"), 0);
  EXPECT_LT(lstrcmpW(u"e", u"\u00e9"), 0);
  // Hyphens and apostrophes count only when all else is equal.
  EXPECT_LT(lstrcmpW(u"coop", u"co-op"), 0);
  EXPECT_LT(lstrcmpW(u"co-op", u"cop"), 0);
  // Results are -1, 0 and 1, and a null string sorts first.
  EXPECT_EQ(lstrcmpW(u"b", u"a"), 1);
  EXPECT_EQ(lstrcmpW(u"a", u"b"), -1);
  EXPECT_EQ(lstrcmpW(nullptr, u""), -1);
  EXPECT_EQ(lstrcmpW(u"", nullptr), 1);
  EXPECT_EQ(lstrcmpW(nullptr, nullptr), 0);
}

TEST(Win32StringTest, CompareIgnoringCase) {
  EXPECT_EQ(lstrcmpiW(u"VelmoraWorker", u"velmoraworker"), 0);
  EXPECT_EQ(lstrcmpiW(u"\u0416\u00c9", u"\u0436\u00e9"), 0);  // Cyrillic and Latin-1 letters fold too
  EXPECT_LT(lstrcmpiW(u"apple", u"Banana"), 0);
  EXPECT_GT(lstrcmpiW(u"Zeta", u"_zeta"), 0);
  EXPECT_NE(lstrcmpiW(u"e", u"\u00e9"), 0);

  std::vector<std::u16string> words = {u"co-op", u"Zulu", u"apple", u"coop", u"Apple", u"10", u"beta"};
  std::sort(words.begin(), words.end(), [](auto& a, auto& b) { return lstrcmpW(a.c_str(), b.c_str()) < 0; });
  EXPECT_EQ(words, (std::vector<std::u16string>{u"10", u"apple", u"Apple", u"beta", u"coop", u"co-op", u"Zulu"}));
}

}  // namespace

namespace {

TEST(Win32StringTest, CharUpperAndLowerConvertStringsBuffersAndSingleCharacters) {
  WCHAR text[] = u"Grüße, Ωμέγα 1";
  EXPECT_EQ(CharUpperW(text), text);
  EXPECT_EQ(std::u16string(text), u"GRÜßE, ΩΜΈΓΑ 1");
  EXPECT_EQ(CharLowerW(text), text);
  EXPECT_EQ(std::u16string(text), u"grüße, ωμέγα 1");
  // A pointer below 0x10000 carries one character.
  auto single = [](LPWSTR (*convert)(LPWSTR), WCHAR c) {
    return static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(convert(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
  };
  EXPECT_EQ(single(CharUpperW, u'ä'), u'Ä');
  EXPECT_EQ(single(CharLowerW, u'Q'), u'q');
  WCHAR buffer[] = u"abcdef";
  EXPECT_EQ(CharUpperBuffW(buffer, 3), 3u);
  EXPECT_EQ(std::u16string(buffer), u"ABCdef");
  EXPECT_EQ(CharLowerBuffW(buffer, 2), 2u);
  EXPECT_EQ(std::u16string(buffer), u"abCdef");
}

}  // namespace
