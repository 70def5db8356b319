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
