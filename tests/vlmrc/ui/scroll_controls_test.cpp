// The scroll bookkeeping of the video call preferences page: the page's vertical scroll position,
// the 13 controls that scroll as one block and the controls that tell the page about their focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "internals/internals_test.h"

namespace {

constexpr std::array<int, 13> kScrollIds{1030, 1040, 7200, 7201, 1032, 1041, 1033, 7204, 1022, 1023, 1034, 1020, 1021};
constexpr std::array<int, 9> kFocusIds{1040, 7200, 7201, 1041, 7204, 1022, 1023, 1020, 1021};

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The control's rectangle in the page's client area.
RECT ClientRectIn(HWND page, HWND control) {
  RECT rect = WindowRect(control);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A sheet below a 26-pixel status strip with the preferences page 20 pixels into it, at x = 0 as
// the pages are on the handset.
class ScrollControlsTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    WNDCLASSW sheetClass{};
    sheetClass.lpfnWndProc = SheetProc;
    sheetClass.hInstance = module_;
    sheetClass.lpszClassName = u"ScrollTestSheet";
    ASSERT_NE(RegisterClassW(&sheetClass), 0);
    sheet_ = CreateWindowExW(0, u"ScrollTestSheet", u"Sheet", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                             nullptr, module_, nullptr);
    ASSERT_NE(sheet_, nullptr);
    page_ = CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_RELAYOUT_PORTRAIT), sheet_, PageProc, 0);
    ASSERT_NE(page_, nullptr);
    ASSERT_TRUE(SetWindowPos(page_, nullptr, 0, 20, 240, 240, SWP_NOZORDER));
  }
  void TearDown() override {
    DestroyWindow(sheet_);
    InternalsTest::TearDown();
  }

  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
};

TEST_F(ScrollControlsTest, SlotsHoldTheControlIdsInSlotOrderAndNothingPastSlot12) {
  for (UINT slot = 0; slot < kScrollIds.size(); ++slot) {
    int id = 0;
    EXPECT_TRUE(lib_->GetScrollControlId(slot, &id));
    EXPECT_EQ(id, kScrollIds[slot]) << "slot " << slot;
  }
  for (UINT slot : {13u, 14u, UINT_MAX}) {
    int id = 1234;
    EXPECT_FALSE(lib_->GetScrollControlId(slot, &id));
    EXPECT_EQ(id, -1) << "slot " << slot;
  }
}

TEST_F(ScrollControlsTest, FocusNotifySlotsAreFoundByControlIdAndStartWithoutProcedures) {
  for (int index = 0; index < static_cast<int>(kFocusIds.size()); ++index) {
    EXPECT_EQ(lib_->FindFocusNotifySlot(kFocusIds[index]), index);
    EXPECT_EQ(lib_->FocusNotifySlots[index].previousProc, nullptr);
  }
  EXPECT_EQ(lib_->FindFocusNotifySlot(1030), -1) << "1030 scrolls but does not tell the page about its focus";
  EXPECT_EQ(lib_->FindFocusNotifySlot(0), -1);
  EXPECT_EQ(lib_->FindFocusNotifySlot(-1), -1);
}

TEST_F(ScrollControlsTest, RecordingKeepsScreenXAndClientYOfEveryControl) {
  lib_->RecordScrollControls(page_);
  for (std::size_t slot = 0; slot < kScrollIds.size(); ++slot) {
    HWND control = GetDlgItem(page_, kScrollIds[slot]);
    const ScrollControlSlot& entry = lib_->ScrollControlTable[slot];
    ASSERT_EQ(entry.window, control) << "slot " << slot;
    RECT screen = WindowRect(control);
    RECT client = ClientRectIn(page_, control);
    EXPECT_EQ(entry.home.left, screen.left);
    EXPECT_EQ(entry.home.right, screen.right);
    EXPECT_EQ(entry.home.top, client.top) << "slot " << slot;
    EXPECT_EQ(entry.home.bottom, client.bottom) << "slot " << slot;
  }
}

TEST_F(ScrollControlsTest, MovingRaisesEveryRecordedControlByThePositionAndKeepsItsSize) {
  lib_->RecordScrollControls(page_);
  std::array<RECT, 13> before{};
  for (std::size_t slot = 0; slot < kScrollIds.size(); ++slot)
    before[slot] = ClientRectIn(page_, GetDlgItem(page_, kScrollIds[slot]));

  lib_->MoveScrollControls(37);
  for (std::size_t slot = 0; slot < kScrollIds.size(); ++slot) {
    RECT now = ClientRectIn(page_, GetDlgItem(page_, kScrollIds[slot]));
    RECT expected{before[slot].left, before[slot].top - 37, before[slot].right, before[slot].bottom - 37};
    EXPECT_TRUE(SameRect(now, expected)) << "slot " << slot;
  }
  lib_->MoveScrollControls(0);
  for (std::size_t slot = 0; slot < kScrollIds.size(); ++slot)
    EXPECT_TRUE(SameRect(ClientRectIn(page_, GetDlgItem(page_, kScrollIds[slot])), before[slot])) << "slot " << slot;
}

TEST_F(ScrollControlsTest, AMissingControlEndsTheTableAndOnlyTheControlsBeforeItMove) {
  // A full table first: recording again must not leave stale slots behind.
  lib_->RecordScrollControls(page_);
  ASSERT_TRUE(DestroyWindow(GetDlgItem(page_, 7200)));
  lib_->RecordScrollControls(page_);

  EXPECT_NE(lib_->ScrollControlTable[0].window, nullptr);
  EXPECT_NE(lib_->ScrollControlTable[1].window, nullptr);
  for (std::size_t slot = 2; slot < kScrollIds.size(); ++slot) {
    const ScrollControlSlot& entry = lib_->ScrollControlTable[slot];
    EXPECT_EQ(entry.window, nullptr) << "slot " << slot;
    EXPECT_TRUE(SameRect(entry.home, RECT{0, 0, 0, 0})) << "slot " << slot;
  }

  RECT first = ClientRectIn(page_, GetDlgItem(page_, 1030));
  RECT later = ClientRectIn(page_, GetDlgItem(page_, 7201));
  lib_->MoveScrollControls(10);
  EXPECT_EQ(ClientRectIn(page_, GetDlgItem(page_, 1030)).top, first.top - 10);
  EXPECT_TRUE(SameRect(ClientRectIn(page_, GetDlgItem(page_, 7201)), later)) << "slot 3 was not recorded";
}

TEST_F(ScrollControlsTest, TheScrollBarKeepsThePositionInItsRangeAndAFailedQueryReadsZero) {
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  range.nMin = 0;
  range.nMax = 100;
  range.nPage = 20;
  SetScrollInfo(page_, SB_VERT, &range, FALSE);

  EXPECT_EQ(lib_->SetVertScrollPos(page_, 30), 30);
  EXPECT_EQ(lib_->GetVertScrollPos(page_), 30);
  EXPECT_EQ(lib_->SetVertScrollPos(page_, 500), 81) << "the position stops where the last page begins";
  EXPECT_EQ(lib_->GetVertScrollPos(page_), 81);
  lib_->SetVertScrollPos(page_, -5);
  EXPECT_EQ(lib_->GetVertScrollPos(page_), 0);

  HWND gone = page_;
  DestroyWindow(sheet_);
  sheet_ = nullptr;
  EXPECT_EQ(lib_->GetVertScrollPos(gone), 0);
}

}  // namespace
