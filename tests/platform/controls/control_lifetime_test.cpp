// What a control or a dialog keeps for its window goes with the window, and a message that comes
// after the window is gone brings nothing back.
#include <gtest/gtest.h>

#include "dialogs/dialog_test_support.h"
#include "handset/windows.h"

#include <windows.h>

namespace {

using dialog_test::AlignedTemplate;
using dialog_test::HookedDialogProc;

class ControlLifetimeTest : public dialog_test::DialogTest {};

WNDPROC ClassProcedure(LPCWSTR className) {
  WNDCLASSW description{};
  return GetClassInfoW(nullptr, className, &description) ? description.lpfnWndProc : nullptr;
}

TEST_F(ControlLifetimeTest, RecordsGoWithTheirWindowsAndLateMessagesMakeNoNewOnes) {
  const std::size_t before = handset::windows::LivePrivateStates();
  AlignedTemplate sample(dialog_test::SampleTemplate());
  HWND dialog = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, 1030);
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"kept"));
  EXPECT_GT(handset::windows::LivePrivateStates(), before);  // the dialog's and its controls'

  HWND edit = GetDlgItem(dialog, 1040), check = GetDlgItem(dialog, 1021), combo = GetDlgItem(dialog, 1031);
  ASSERT_TRUE(DestroyWindow(dialog));
  EXPECT_EQ(handset::windows::LivePrivateStates(), before);

  // The class procedures reached directly with the dead handles, as a stale subclass would.
  struct Late {
    LPCWSTR className;
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Late late[] = {
      {u"listbox", list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"late")},
      {u"edit", edit, WM_SETFONT, 0, 0},
      {u"button", check, BM_SETCHECK, BST_CHECKED, 0},
      {u"combobox", combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"late")},
      {u"Dialog", dialog, DM_SETDEFID, IDCANCEL, 0},
  };
  for (const auto& l : late) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << l.message);
    WNDPROC procedure = ClassProcedure(l.className);
    ASSERT_NE(procedure, nullptr);
    procedure(l.window, l.message, l.wParam, l.lParam);
    EXPECT_EQ(handset::windows::LivePrivateStates(), before);
  }
}

}  // namespace
