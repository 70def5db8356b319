// The soft input panel: SipGetInfo reports what the user (the control API) did with it, and its
// place follows the screen until one is set.
#include <sipapi.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "handset/screen.h"
#include "handset/shell.h"
#include "support/handset_test.h"

namespace {

bool SameRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

SIPINFO Query() {
  SIPINFO info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(SipGetInfo(&info));
  return info;
}

class InputPanelTest : public testing_support::HandsetTest {};

TEST_F(InputPanelTest, HiddenAtStartItLiesAlongTheBottomAndCoversNothing) {
  SIPINFO info = Query();
  EXPECT_EQ(info.fdwFlags & SIPF_ON, 0u);
  EXPECT_NE(info.fdwFlags & SIPF_DOCKED, 0u);
  EXPECT_TRUE(SameRect(info.rcSipRect, 0, 240, 240, 320));
  EXPECT_TRUE(SameRect(info.rcVisibleDesktop, 0, 0, 240, 320));
}

TEST_F(InputPanelTest, ShownItCutsTheVisibleDesktopAtItsTop) {
  handset::shell::ShowInputPanel(true);
  SIPINFO info = Query();
  EXPECT_NE(info.fdwFlags & SIPF_ON, 0u);
  EXPECT_TRUE(SameRect(info.rcVisibleDesktop, 0, 0, 240, 240));

  EXPECT_TRUE(SipShowIM(SIPF_OFF));
  EXPECT_FALSE(handset::shell::InputPanelShown());
  EXPECT_TRUE(SameRect(Query().rcVisibleDesktop, 0, 0, 240, 320));
  EXPECT_TRUE(SipShowIM(SIPF_ON));
  EXPECT_TRUE(handset::shell::InputPanelShown());
}

TEST_F(InputPanelTest, ItsDefaultPlaceFollowsTheScreenAndASetPlaceStays) {
  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  EXPECT_TRUE(SameRect(Query().rcSipRect, 0, 480, 480, 640)) << "twice as high at twice the resolution";
  ASSERT_TRUE(handset::screen::Rotate(90));
  EXPECT_TRUE(SameRect(Query().rcSipRect, 0, 320, 640, 480));

  handset::shell::SetInputPanelRect(RECT{0, 200, 640, 400});
  handset::shell::ShowInputPanel(true);
  SIPINFO info = Query();
  EXPECT_TRUE(SameRect(info.rcSipRect, 0, 200, 640, 400));
  EXPECT_TRUE(SameRect(info.rcVisibleDesktop, 0, 0, 640, 200));
  ASSERT_TRUE(handset::screen::Rotate(0));
  EXPECT_TRUE(SameRect(Query().rcSipRect, 0, 200, 640, 400));
}

TEST_F(InputPanelTest, ARecordOfAnotherSizeIsRefusedAndTheInputMethodDataIsLeftAlone) {
  SIPINFO info{};
  info.cbSize = 48;  // the device's 32-bit record; this machine's is larger
  ASSERT_NE(sizeof(SIPINFO), 48u);
  SetLastError(0);
  EXPECT_FALSE(SipGetInfo(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(SipGetInfo(nullptr));

  int imData = 5;
  info = SIPINFO{};
  info.cbSize = sizeof info;
  info.dwImDataSize = sizeof imData;
  info.pvImData = &imData;
  EXPECT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.dwImDataSize, sizeof imData);
  EXPECT_EQ(info.pvImData, &imData);
  EXPECT_EQ(imData, 5);
}

}  // namespace
