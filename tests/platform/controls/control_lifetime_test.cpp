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

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

TEST_F(ControlLifetimeTest, RecordsGoWithTheirWindowsAndLateMessagesMakeNoNewOnes) {
  const std::size_t before = handset::windows::LivePrivateStates();
  AlignedTemplate sample(dialog_test::SampleTemplate());
  HWND dialog = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, HookedDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, 1030);
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"kept"));
  EXPECT_GT(handset::windows::LivePrivateStates(), before);  // the dialog's and its controls'

  HWND edit = GetDlgItem(dialog, 1040), check = GetDlgItem(dialog, 1021), combo = GetDlgItem(dialog, 1031);
  // The class procedures, reached below directly with the dead handles, as a stale subclass would.
  struct Late {
    WNDPROC procedure;
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Late late[] = {
      {ProcedureOf(list), list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"late")},
      {ProcedureOf(edit), edit, WM_SETFONT, 0, 0},
      {ProcedureOf(check), check, BM_SETCHECK, BST_CHECKED, 0},
      {ProcedureOf(combo), combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"late")},
      {DefDlgProcW, dialog, DM_SETDEFID, IDCANCEL, 0},
  };
  ASSERT_TRUE(DestroyWindow(dialog));
  EXPECT_EQ(handset::windows::LivePrivateStates(), before);

  for (const auto& l : late) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << l.message);
    ASSERT_NE(l.procedure, nullptr);
    l.procedure(l.window, l.message, l.wParam, l.lParam);
    EXPECT_EQ(handset::windows::LivePrivateStates(), before);
  }
}

}  // namespace
