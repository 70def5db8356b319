// The names a program written against the device's SDK uses, with the values the reference gives
// them: a wrong value or a missing name fails the build. The Unicode names are the wide records
// and functions themselves. The macros are then run against a real tab control and sheet, so a
// macro that sends the wrong message or packs its parameters wrongly fails too.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <type_traits>

#include "dialogs/dialog_test_support.h"

namespace {

struct Documented {
  long long value;
  long long documented;
};

constexpr Documented kDocumented[] = {
    {PSM_QUERYSIBLINGS, 0x046C},  // WM_USER + 108
    {PSM_APPLY, 0x046E},          // WM_USER + 110
    {TCHT_ONITEMICON, 0x0002},
    {TCHT_ONITEMLABEL, 0x0004},
    {TCHT_ONITEM, 0x0006},
    {TCM_GETITEM, 0x133C},
    {TCM_SETITEM, 0x133D},
    {TCM_INSERTITEM, 0x133E},
    {SWP_DRAWFRAME, 0x0020},
    {SWP_NOREPOSITION, 0x0200},
    {SM_CXFIXEDFRAME, 7},
    {SM_CYFIXEDFRAME, 8},
    {VK_LBUTTON, 0x01}, {VK_RBUTTON, 0x02}, {VK_CANCEL, 0x03}, {VK_MBUTTON, 0x04}, {VK_CLEAR, 0x0C},
    {VK_SHIFT, 0x10}, {VK_CONTROL, 0x11}, {VK_MENU, 0x12}, {VK_PAUSE, 0x13}, {VK_CAPITAL, 0x14},
    {VK_SELECT, 0x29}, {VK_EXECUTE, 0x2B}, {VK_SNAPSHOT, 0x2C}, {VK_INSERT, 0x2D}, {VK_HELP, 0x2F},
    {VK_0, 0x30}, {VK_1, 0x31}, {VK_2, 0x32}, {VK_3, 0x33}, {VK_4, 0x34}, {VK_5, 0x35}, {VK_6, 0x36},
    {VK_7, 0x37}, {VK_8, 0x38}, {VK_9, 0x39}, {VK_A, 0x41}, {VK_B, 0x42}, {VK_C, 0x43}, {VK_D, 0x44},
    {VK_E, 0x45}, {VK_F, 0x46}, {VK_G, 0x47}, {VK_H, 0x48}, {VK_I, 0x49}, {VK_J, 0x4A}, {VK_K, 0x4B},
    {VK_L, 0x4C}, {VK_M, 0x4D}, {VK_N, 0x4E}, {VK_O, 0x4F}, {VK_P, 0x50}, {VK_Q, 0x51}, {VK_R, 0x52},
    {VK_S, 0x53}, {VK_T, 0x54}, {VK_U, 0x55}, {VK_V, 0x56}, {VK_W, 0x57}, {VK_X, 0x58}, {VK_Y, 0x59},
    {VK_Z, 0x5A}, {VK_LWIN, 0x5B}, {VK_RWIN, 0x5C}, {VK_APPS, 0x5D}, {VK_NUMPAD1, 0x61}, {VK_NUMPAD2, 0x62},
    {VK_NUMPAD3, 0x63}, {VK_NUMPAD4, 0x64}, {VK_NUMPAD5, 0x65}, {VK_NUMPAD6, 0x66}, {VK_NUMPAD7, 0x67},
    {VK_NUMPAD8, 0x68}, {VK_MULTIPLY, 0x6A}, {VK_ADD, 0x6B}, {VK_SEPARATOR, 0x6C}, {VK_SUBTRACT, 0x6D},
    {VK_DECIMAL, 0x6E}, {VK_DIVIDE, 0x6F}, {VK_F3, 0x72}, {VK_F4, 0x73}, {VK_F5, 0x74}, {VK_F6, 0x75},
    {VK_F7, 0x76}, {VK_F8, 0x77}, {VK_F9, 0x78}, {VK_F10, 0x79}, {VK_F11, 0x7A}, {VK_F12, 0x7B},
    {VK_F13, 0x7C}, {VK_F14, 0x7D}, {VK_F15, 0x7E}, {VK_F16, 0x7F}, {VK_F17, 0x80}, {VK_F18, 0x81},
    {VK_F19, 0x82}, {VK_F20, 0x83}, {VK_F21, 0x84}, {VK_F22, 0x85}, {VK_F23, 0x86}, {VK_F24, 0x87},
    {VK_NUMLOCK, 0x90}, {VK_SCROLL, 0x91}, {VK_LSHIFT, 0xA0}, {VK_RSHIFT, 0xA1}, {VK_LCONTROL, 0xA2},
    {VK_RCONTROL, 0xA3}, {VK_LMENU, 0xA4}, {VK_RMENU, 0xA5},
};

constexpr bool AllAsDocumented() {
  for (const auto& entry : kDocumented)
    if (entry.value != entry.documented) return false;
  return true;
}
static_assert(AllAsDocumented(), "a name of the SDK has a value other than the documented one");

static_assert(std::is_same_v<PROPSHEETPAGE, PROPSHEETPAGEW> && std::is_same_v<LPCPROPSHEETPAGE, LPCPROPSHEETPAGEW> &&
              std::is_same_v<PROPSHEETHEADER, PROPSHEETHEADERW> && std::is_same_v<LPFNPSPCALLBACK, LPFNPSPCALLBACKW>);
static_assert(std::is_same_v<TCITEM, TCITEMW> && std::is_same_v<TCITEMHEADER, TCITEMHEADERW> &&
              std::is_same_v<TC_HITTESTINFO, TCHITTESTINFO>);
static_assert(std::is_same_v<WNDCLASS, WNDCLASSW> && std::is_same_v<CREATESTRUCT, CREATESTRUCTW> &&
              std::is_same_v<MENUITEMINFO, MENUITEMINFOW> && std::is_same_v<LPCDLGTEMPLATE, LPCDLGTEMPLATEW>);
static_assert(std::is_same_v<decltype(&PropertySheet), INT_PTR (*)(LPCPROPSHEETHEADER)> &&
              std::is_same_v<decltype(&CreatePropertySheetPage), HPROPSHEETPAGE (*)(LPCPROPSHEETPAGE)>);

class DocumentedNamesTest : public dialog_test::DialogTest {};

TEST_F(DocumentedNamesTest, TheTabControlMacrosSendTheirMessages) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&init));
  HWND tabs = CreateWindowExW(0, WC_TABCONTROL, u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(tabs, nullptr);
  WCHAR one[] = u"One", two[] = u"Two";
  TCITEM item{};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = one;
  item.lParam = 11;
  EXPECT_EQ(TabCtrl_InsertItem(tabs, 0, &item), 0);
  item.pszText = two;
  item.lParam = 22;
  EXPECT_EQ(TabCtrl_InsertItem(tabs, 1, &item), 1);
  EXPECT_EQ(TabCtrl_GetItemCount(tabs), 2);
  EXPECT_EQ(TabCtrl_SetCurSel(tabs, 1), 0) << "answers the tab selected before";
  EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
  EXPECT_EQ(TabCtrl_GetCurFocus(tabs), 1);

  TCITEM read{};
  read.mask = TCIF_PARAM;
  EXPECT_TRUE(TabCtrl_GetItem(tabs, 1, &read));
  EXPECT_EQ(read.lParam, 22);
  read.lParam = 33;
  EXPECT_TRUE(TabCtrl_SetItem(tabs, 1, &read));
  read.lParam = 0;
  EXPECT_TRUE(TabCtrl_GetItem(tabs, 1, &read));
  EXPECT_EQ(read.lParam, 33);

  RECT second{};
  EXPECT_TRUE(TabCtrl_GetItemRect(tabs, 1, &second));
  TC_HITTESTINFO hit{{(second.left + second.right) / 2, (second.top + second.bottom) / 2}, 0};
  EXPECT_EQ(TabCtrl_HitTest(tabs, &hit), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEM));
  EXPECT_EQ(TabCtrl_GetRowCount(tabs), 1);

  EXPECT_TRUE(TabCtrl_DeleteItem(tabs, 0));
  EXPECT_EQ(TabCtrl_GetItemCount(tabs), 1);
  EXPECT_TRUE(TabCtrl_DeleteAllItems(tabs));
  EXPECT_EQ(TabCtrl_GetItemCount(tabs), 0);
  DestroyWindow(tabs);
}

}  // namespace
