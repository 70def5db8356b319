// RedrawWindow's invalidation, validation and painting now, and GetParent of top-level windows as
// Windows CE answers it (the owner, whatever the style).
#include <gtest/gtest.h>

#include "windows/window_test_support.h"

#include <windows.h>

namespace {

using testing_support::Messages;

class RedrawAndParentTest : public windows_test::WindowsTest {};

TEST_F(RedrawAndParentTest, GetParentAnswersTheOwnerOfEveryTopLevelWindow) {
  HWND owner = Create(u"owner");
  struct Case {
    DWORD style;
    bool owned;
    bool expectOwner;
  } cases[] = {
      {WS_OVERLAPPED, true, true},  // desktop Win32 answers NULL here; CE the owner
      {WS_POPUP, true, true},
      {WS_OVERLAPPED, false, false},
  };
  for (const auto& c : cases) {
    HWND window = Create(u"top", c.owned ? owner : nullptr, c.style);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), c.expectOwner ? owner : nullptr) << c.style;
    DestroyWindow(window);
  }
  HWND child = Create(u"child", owner, WS_CHILD | WS_VISIBLE, 5);
  EXPECT_EQ(GetParent(child), owner);
}

TEST_F(RedrawAndParentTest, RedrawWindowInvalidatesValidatesAndPaintsNow) {
  HWND window = Create(u"paint", nullptr, WS_VISIBLE);
  UpdateWindow(window);
  RECT update{};
  ASSERT_FALSE(GetUpdateRect(window, &update, FALSE));

  RECT part{0, 0, 10, 10};
  EXPECT_TRUE(RedrawWindow(window, &part, nullptr, RDW_INVALIDATE));
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.right, 10);
  EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE));
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));

  Messages().Clear();
  EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
  EXPECT_TRUE(Messages().Matches({{WM_PAINT}}, {window, testing_support::OnlyMessages({WM_PAINT})}))
      << "painted before RedrawWindow returns";
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));

  EXPECT_FALSE(RedrawWindow(window, nullptr, reinterpret_cast<HRGN>(static_cast<ULONG_PTR>(0x1234)), RDW_INVALIDATE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE)) << "not a region";
  EXPECT_FALSE(RedrawWindow(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x4321)), nullptr, nullptr, RDW_INVALIDATE));
}

TEST_F(RedrawAndParentTest, RedrawWindowTakesAnUpdateRegionInPlaceOfTheRectangle) {
  HWND window = Create(u"paint", nullptr, WS_VISIBLE);
  UpdateWindow(window);
  HRGN region = CreateRectRgn(2, 2, 6, 6);
  HRGN second = CreateRectRgn(20, 10, 24, 12);
  CombineRgn(region, region, second, RGN_OR);
  RECT ignored{0, 0, 100, 100};
  EXPECT_TRUE(RedrawWindow(window, &ignored, region, RDW_INVALIDATE));
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.left, 2);
  EXPECT_EQ(update.top, 2);
  EXPECT_EQ(update.right, 24);
  EXPECT_EQ(update.bottom, 12);

  // A region that leaves part of the update uncovered validates nothing; one that covers it all
  // validates the window.
  EXPECT_TRUE(RedrawWindow(window, nullptr, second, RDW_VALIDATE));
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  SetRectRgn(second, 0, 0, 30, 30);
  EXPECT_TRUE(RedrawWindow(window, nullptr, second, RDW_VALIDATE));
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  DeleteObject(region);
  DeleteObject(second);
}

}  // namespace
