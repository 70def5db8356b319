// The handset's clipboard: who may open it, what it keeps, and that the data it was given is its
// own to free (LocalSize of a freed block fails), as Win32 and Windows CE have it.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "support/handset_test.h"

#include <windows.h>

namespace {

class ClipboardTest : public testing_support::HandsetTest {
 protected:
  static HLOCAL Block(const char16_t* text) {
    UINT bytes = static_cast<UINT>((std::char_traits<char16_t>::length(text) + 1) * sizeof(WCHAR));
    HLOCAL block = LocalAlloc(LMEM_FIXED, bytes);
    std::memcpy(block, text, bytes);
    return block;
  }
  static bool Freed(HLOCAL block) {
    SetLastError(0);
    return LocalSize(block) == 0 && GetLastError() == static_cast<DWORD>(ERROR_INVALID_HANDLE);
  }
};

TEST_F(ClipboardTest, EveryCallButTheQuestionOfAFormatNeedsTheClipboardOpen) {
  HLOCAL block = Block(u"x");
  struct Call {
    const char* name;
    bool (*call)(HLOCAL);
  };
  const Call calls[] = {
      {"CloseClipboard", [](HLOCAL) { return CloseClipboard() != FALSE; }},
      {"EmptyClipboard", [](HLOCAL) { return EmptyClipboard() != FALSE; }},
      {"SetClipboardData", [](HLOCAL b) { return SetClipboardData(CF_UNICODETEXT, b) != nullptr; }},
      {"GetClipboardData", [](HLOCAL) { return GetClipboardData(CF_UNICODETEXT) != nullptr; }},
  };
  for (const auto& c : calls) {
    SetLastError(0);
    EXPECT_FALSE(c.call(block)) << c.name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN)) << c.name;
  }
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(Freed(block));  // refused, so still the caller's
  LocalFree(block);
}

TEST_F(ClipboardTest, TheClipboardKeepsItsDataAndFreesWhatItReplacesOrEmpties) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(OpenClipboard(nullptr));  // the same thread may open it again
  EXPECT_TRUE(EmptyClipboard());
  HLOCAL first = Block(u"first");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, first), first);
  HLOCAL second = Block(u"second");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, second), second);
  EXPECT_TRUE(Freed(first));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), second);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // no conversion between formats on CE
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);  // nothing is rendered late
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(CloseClipboard());

  // Another thread cannot open it while it is open here, and sees the data once it is closed.
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::thread([] {
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  }).join();
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_TRUE(Freed(second));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(CloseClipboard());
  std::thread([] {
    EXPECT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(CloseClipboard());
  }).join();
}

TEST_F(ClipboardTest, LocalMemoryRefusesWhatIsNoBlockOfIts) {
  HLOCAL zeroed = LocalAlloc(LPTR, 4);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(LocalSize(zeroed), 4u);
  EXPECT_EQ(std::memcmp(zeroed, "\0\0\0\0", 4), 0);
  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalFree(zeroed), zeroed);  // freed already
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LocalAlloc(0x0002 /* LMEM_MOVEABLE: not on CE */, 4), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
