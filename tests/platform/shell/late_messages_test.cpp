// The tab control, the soft-key bar and the picture view keep their state in their windows, as the
// standard controls do: a message that reaches their class procedure after the window is gone (a
// stale subclass calling on) does nothing and brings no state back.
#include <aygshell.h>
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/dialog_test_support.h"
#include "handset/user.h"
#include "handset/windows.h"

namespace {

namespace user = handset::user;

class LateMessageTest : public dialog_test::DialogTest {};

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

TEST_F(LateMessageTest, TheTabsTheSoftKeyBarAndThePictureViewLeaveAMessageAfterDestructionAlone) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&init));
  // The picture view's class comes with the picker's first showing.
  WCHAR file[MAX_PATH] = u"";
  OPENFILENAMEEX picker{};
  picker.lStructSize = sizeof picker;
  picker.lpstrFile = file;
  picker.nMaxFile = MAX_PATH;
  user::SetScript({user::CancelPicker()});
  GetOpenFileNameEx(&picker);
  ASSERT_TRUE(user::Failures().empty()) << user::Failures()[0].message;

  const std::size_t before = handset::windows::LivePrivateStates();
  HWND parent = CreateWindowExW(0, u"static", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                                nullptr);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 240, 40, parent, nullptr, nullptr,
                              nullptr);
  HWND view = CreateWindowExW(0, u"PictureView", u"", WS_CHILD | WS_VISIBLE, 0, 40, 240, 200, parent, nullptr,
                              nullptr, nullptr);
  SHMENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  bar.hwndParent = parent;
  bar.dwFlags = SHCMBF_EMPTYBAR;
  ASSERT_TRUE(SHCreateMenuBar(&bar));
  ASSERT_NE(tabs, nullptr);
  ASSERT_NE(view, nullptr);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(u"tab");
  ASSERT_EQ(SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
  ASSERT_EQ(SendMessageW(view, LB_GETCOUNT, 0, 0), 0);
  EXPECT_GT(handset::windows::LivePrivateStates(), before);

  struct Late {
    WNDPROC procedure;
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Late late[] = {
      {ProcedureOf(tabs), tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)},
      {ProcedureOf(tabs), tabs, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5)},
      {ProcedureOf(tabs), tabs, WM_PAINT, 0, 0},
      {ProcedureOf(bar.hwndMB), bar.hwndMB, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)},
      {ProcedureOf(bar.hwndMB), bar.hwndMB, WM_DESTROY, 0, 0},
      {ProcedureOf(view), view, LB_SETCURSEL, 0, 0},
      {ProcedureOf(view), view, WM_KEYDOWN, VK_DOWN, 0},
      {ProcedureOf(view), view, WM_PAINT, 0, 0},
  };
  DestroyWindow(bar.hwndMB);
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(handset::windows::LivePrivateStates(), before);

  for (const auto& l : late) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << l.message);
    ASSERT_NE(l.procedure, nullptr);
    EXPECT_EQ(l.procedure(l.window, l.message, l.wParam, l.lParam), 0);
    EXPECT_EQ(handset::windows::LivePrivateStates(), before);
  }
}

}  // namespace
