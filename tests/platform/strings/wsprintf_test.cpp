#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include <windows.h>

namespace {

constexpr WCHAR kGuard = 0xBEEF;

// Formats into a buffer of exactly 1024 units followed by guard units that must stay untouched.
struct Guarded {
  std::array<WCHAR, 1024 + 8> buffer;
  int result = 0;

  Guarded() { buffer.fill(kGuard); }
  bool GuardIntact() const { return std::all_of(buffer.begin() + 1024, buffer.end(), [](WCHAR c) { return c == kGuard; }); }
  std::u16string Text() const { return std::u16string(buffer.data()); }
};

template <class... Args>
std::u16string Print(const WCHAR* format, Args... args) {
  Guarded out;
  out.result = wsprintfW(out.buffer.data(), format, args...);
  EXPECT_TRUE(out.GuardIntact());
  EXPECT_EQ(static_cast<std::size_t>(out.result), out.Text().size());
  return out.Text();
}

TEST(WsprintfTest, IntegersWithWidthPaddingAndSign) {
  EXPECT_EQ(Print(u"%d|%i|%u", -42, 7, 3000000000u), u"-42|7|3000000000");
  EXPECT_EQ(Print(u"[%5d][%-5d][%05d]", 42, 42, 42), u"[   42][42   ][00042]");
  EXPECT_EQ(Print(u"[%05d][%5d][%-05d]", -42, -42, -42), u"[-0042][  -42][-42  ]");
  EXPECT_EQ(Print(u"%02d:%02d:%02d", 9, 5, 0), u"09:05:00");
  EXPECT_EQ(Print(u"%d %d", INT_MIN, INT_MAX), u"-2147483648 2147483647");
  EXPECT_EQ(Print(u"%u", -1), u"4294967295");
  EXPECT_EQ(Print(u"[%.3d][%.0d][%6.3d][%.3d]", 5, 0, 5, -5), u"[005][0][   005][-005]");
  EXPECT_EQ(Print(u"%2d", 12345), u"12345");  // a width never truncates
}

TEST(WsprintfTest, HexOfNegativeIntsAndPrefixes) {
  EXPECT_EQ(Print(u"%x %X", -1, 0xABCDEF), u"ffffffff ABCDEF");
  EXPECT_EQ(Print(u"%#x %#X %#06x", 0x1f, 0x1f, 0x1f), u"0x1f 0X1F 0x001f");
  EXPECT_EQ(Print(u"%08X", 0x914), u"00000914");
  EXPECT_EQ(Print(u"%lx %ld %lu", -2, -2, -2), u"fffffffe -2 4294967294");
}

TEST(WsprintfTest, SizePrefixes) {
  EXPECT_EQ(Print(u"%hd %hu %hx", 70000, -1, -1), u"4464 65535 ffff");
  EXPECT_EQ(Print(u"%I64d %I64u %I64x", INT64_MIN, UINT64_MAX, 0x123456789ABCDEFull),
            u"-9223372036854775808 18446744073709551615 123456789abcdef");
  EXPECT_EQ(Print(u"%I64d|%d", 1ll << 40, 9), u"1099511627776|9");  // the 64-bit argument is consumed whole
  EXPECT_EQ(Print(u"%Ix", static_cast<std::uintptr_t>(0x1234567890ull)), u"1234567890");
  EXPECT_EQ(Print(u"%p", reinterpret_cast<void*>(0xABCull)), u"0000000000000ABC");
}

TEST(WsprintfTest, CharactersAndStrings) {
  EXPECT_EQ(Print(u"%c%c%c", u'a', u'\u00e9', u'\u20ac'), u"a\u00e9\u20ac");
  EXPECT_EQ(Print(u"[%3c][%-3c]", u'x', u'y'), u"[  x][y  ]");
  EXPECT_EQ(Print(u"a%cb", 0), u"ab");  // a zero character is left out, not written as a terminator
  EXPECT_EQ(Print(u"%hc%C%lc", 'n', 'N', u'\u0416'), u"nN\u0416");
  EXPECT_EQ(Print(u"%s|%ls|%ws|%hs|%S", u"wide", u"l", u"w", "narrow", "S"), u"wide|l|w|narrow|S");
  EXPECT_EQ(Print(u"%hs", "\xE9"), u"\u00e9");  // each byte is one character
  EXPECT_EQ(Print(u"[%6s][%-6s][%.2s][%6.2s]", u"abc", u"abc", u"abc", u"abc"), u"[   abc][abc   ][ab][    ab]");
  EXPECT_EQ(Print(u"%s|%hs|%5s", static_cast<const WCHAR*>(nullptr), static_cast<const char*>(nullptr),
                  static_cast<const WCHAR*>(nullptr)),
            u"(null)|(null)|(null)");
  EXPECT_EQ(Print(u"%.3s", static_cast<const WCHAR*>(nullptr)), u"(nu");
}

TEST(WsprintfTest, PrecisionBoundsTheReadOfAnUnterminatedString) {
  // ASan proves that nothing past the third unit is read.
  auto* text = new WCHAR[3]{u'a', u'b', u'c'};
  EXPECT_EQ(Print(u"%.3s", text), u"abc");
  delete[] text;
}

TEST(WsprintfTest, PercentAndUnknownConversions) {
  EXPECT_EQ(Print(u"100%%"), u"100%");
  EXPECT_EQ(Print(u"%y %5q %+d", 1), u"y q +d");  // an unknown type writes itself and takes no argument
  EXPECT_EQ(Print(u"%d%%%d", 1, 2), u"1%2");
  EXPECT_EQ(Print(u"tail%"), u"tail");
  EXPECT_EQ(Print(u"tail%-08"), u"tail");
  EXPECT_EQ(Print(u""), u"");
}

TEST(WsprintfTest, OutputIsCutAt1023CharactersAndNeverWrittenPast) {
  std::u16string long2000(2000, u'x');
  Guarded a;
  a.result = wsprintfW(a.buffer.data(), u"%s", long2000.c_str());
  EXPECT_EQ(a.result, 1023);
  EXPECT_EQ(a.Text(), long2000.substr(0, 1023));
  EXPECT_TRUE(a.GuardIntact());

  std::u16string exact(1023, u'y');
  EXPECT_EQ(Print(u"%s", exact.c_str()), exact);

  // Padding, zeros and the literal text are all cut at the same place, wherever the cut falls.
  Guarded b;
  b.result = wsprintfW(b.buffer.data(), u"%-1200d|", 7);
  EXPECT_EQ(b.result, 1023);
  EXPECT_EQ(b.Text(), u"7" + std::u16string(1022, u' '));
  EXPECT_TRUE(b.GuardIntact());

  std::u16string format = std::u16string(1020, u'.') + u"%08d";
  Guarded c;
  c.result = wsprintfW(c.buffer.data(), format.c_str(), 12345678);
  EXPECT_EQ(c.Text(), std::u16string(1020, u'.') + u"123");
  EXPECT_TRUE(c.GuardIntact());

  Guarded d;
  d.result = wsprintfW(d.buffer.data(), u"%999999999999d", 1);
  EXPECT_EQ(d.result, 1023);
  EXPECT_TRUE(d.GuardIntact());
}

TEST(WsprintfTest, VaListVariantAndNullArguments) {
  auto viaList = [](WCHAR* buffer, const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    int n = wvsprintfW(buffer, format, args);
    va_end(args);
    return n;
  };
  WCHAR buffer[64];
  EXPECT_EQ(viaList(buffer, u"%s=%d", u"n", 5), 3);
  EXPECT_EQ(std::u16string(buffer), u"n=5");
  EXPECT_EQ(wsprintfW(nullptr, u"x"), 0);
  EXPECT_EQ(wsprintfW(buffer, nullptr), 0);
  EXPECT_EQ(buffer[0], 0);
}

}  // namespace
