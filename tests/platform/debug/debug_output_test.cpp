#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "handset/debug.h"
#include "handset/handset.h"
#include "support/handset_test.h"

namespace {

using testing_support::HandsetTest;
using Lines = std::vector<std::u16string>;

TEST_F(HandsetTest, DebugPrintFormatsLikeWsprintfAndStoresOneLinePerCall) {
  EXPECT_TRUE(handset::debug::Lines().empty());
  NKDbgPrintfW(u"%s\n", u"09:05:00 PHONEAPP: started");
  NKDbgPrintfW(u"code=%d hex=%08X%%", -5, 0x914);
  NKDbgPrintfW(u"crlf\r\n");
  NKDbgPrintfW(u"two\n\n");  // only one trailing break is taken off
  NKDbgPrintfW(u"mid\nline");
  NKDbgPrintfW(nullptr);
  EXPECT_EQ(handset::debug::Lines(),
            (Lines{u"09:05:00 PHONEAPP: started", u"code=-5 hex=00000914%", u"crlf", u"two\n", u"mid\nline"}));
}

TEST_F(HandsetTest, DebugPrintKeepsTheFormattersLimit) {
  std::u16string text(3000, u'z');
  NKDbgPrintfW(u"%s", text.c_str());
  ASSERT_EQ(handset::debug::Lines().size(), 1u);
  EXPECT_EQ(handset::debug::Lines()[0], text.substr(0, 1023));
}

TEST_F(HandsetTest, OutputDebugStringIsStoredUnformatted) {
  OutputDebugStringW(u"100% done\n");
  OutputDebugStringW(nullptr);
  OutputDebugStringW(u"");
  EXPECT_EQ(handset::debug::Lines(), (Lines{u"100% done", u""}));
}

TEST_F(HandsetTest, DebugLinesCanBeClearedAndStartEmptyOnAFreshHandset) {
  NKDbgPrintfW(u"one");
  handset::debug::Clear();
  NKDbgPrintfW(u"two");
  EXPECT_EQ(handset::debug::Lines(), (Lines{u"two"}));
  handset::Reset();
  EXPECT_TRUE(handset::debug::Lines().empty());
}

TEST_F(HandsetTest, DebugEchoWritesUtf8LinesToStandardErrorOnlyWhenOn) {
  testing::internal::CaptureStderr();
  NKDbgPrintfW(u"quiet");
  handset::debug::SetEcho(true);
  NKDbgPrintfW(u"caf\u00e9 %d\r\n", 1);
  handset::debug::SetEcho(false);
  NKDbgPrintfW(u"quiet again");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "caf\xC3\xA9 1\n");
}

TEST_F(HandsetTest, DebugOutputKeepsTheNewestLinesUpToItsBound) {
  constexpr int kBound = 65536;
  for (int i = 0; i < kBound + 3; ++i) NKDbgPrintfW(u"%d", i);
  Lines lines = handset::debug::Lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kBound));
  EXPECT_EQ(lines.front(), u"3");
  EXPECT_EQ(lines.back(), std::u16string(u"65538"));
}

TEST_F(HandsetTest, DebugOutputTakesLinesFromManyThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < 500; ++i) NKDbgPrintfW(u"thread %d line %d", t, i);
    });
  for (auto& thread : threads) thread.join();
  Lines lines = handset::debug::Lines();
  EXPECT_EQ(lines.size(), 2000u);
  for (int t = 0; t < 4; ++t)
    EXPECT_EQ(std::count(lines.begin(), lines.end(), u"thread " + std::u16string(1, static_cast<char16_t>(u'0' + t)) + u" line 499"), 1);
}

}  // namespace
