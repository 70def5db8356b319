// The tab control on its own: items kept as Win32 keeps them (the first one selected, insertion
// past the end, deletion moving the selection), text cut to the caller's buffer, application bytes
// and states, sizes, and taps and TCM_SETCURFOCUS asking the parent before changing.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "support/handset_test.h"

namespace {

std::vector<UINT> g_notified;
LRESULT g_refuse = 0;

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
    g_notified.push_back(code);
    return code == TCN_SELCHANGING ? g_refuse : 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class TabControlTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    g_notified.clear();
    g_refuse = 0;
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    WNDCLASSW c{};
    c.lpfnWndProc = ParentProc;
    c.lpszClassName = u"TabParent";
    RegisterClassW(&c);
    parent_ = CreateWindowExW(0, u"TabParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 0, 200, 240, 100, parent_,
                            reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(tabs_, nullptr);
  }
  LRESULT Insert(WPARAM at, const char16_t* text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<LPWSTR>(text);
    item.lParam = 100 + static_cast<LPARAM>(at);
    return SendMessageW(tabs_, TCM_INSERTITEMW, at, reinterpret_cast<LPARAM>(&item));
  }
  std::u16string Text(int index, int capacity = 32) {
    WCHAR buffer[32] = u"untouched";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = capacity;
    if (!SendMessageW(tabs_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return u"<none>";
    return buffer;
  }
  HWND parent_ = nullptr, tabs_ = nullptr;
};

TEST_F(TabControlTest, KeepsItemsAndTheSelectionAsWin32Does) {
  EXPECT_EQ(Insert(0, u"One"), 0);
  EXPECT_EQ(Insert(9, u"Three"), 1) << "past the end appends";
  EXPECT_EQ(Insert(1, u"Two"), 1);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 0) << "the first tab inserted is selected";
  EXPECT_EQ(SendMessageW(tabs_, TCM_SETCURSEL, 2, 0), 0) << "answers the previous selection";
  EXPECT_EQ(SendMessageW(tabs_, TCM_SETCURSEL, 5, 0), -1);
  EXPECT_EQ(SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0), -1) << "a negative index is refused";
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 2) << "a tab that does not exist changes nothing";
  EXPECT_EQ(Insert(0, u"Zero"), 0);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 3) << "the selected tab stays the same tab";
  EXPECT_TRUE(SendMessageW(tabs_, TCM_DELETEITEM, 1, 0));
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(2), u"Three");
  EXPECT_EQ(Text(2, 3), u"Th") << "cut to the buffer with its terminator";
  EXPECT_EQ(Text(7), u"<none>");
  EXPECT_FALSE(SendMessageW(tabs_, TCM_DELETEITEM, 7, 0));
  EXPECT_TRUE(SendMessageW(tabs_, TCM_DELETEITEM, 2, 0));
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), -1) << "deleting the selected tab selects none";
  EXPECT_TRUE(SendMessageW(tabs_, TCM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(g_notified.empty()) << "messages from the program notify nobody";
}

TEST_F(TabControlTest, TapsAlongTheBottomAskTheParentBeforeChanging) {
  Insert(0, u"One");
  Insert(1, u"Two");
  SendMessageW(tabs_, TCM_SETCURSEL, 0, 0);
  RECT second;
  ASSERT_TRUE(SendMessageW(tabs_, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
  EXPECT_EQ(second.bottom, 100) << "TCS_BOTTOM puts the tabs along the bottom edge";
  TCHITTESTINFO hit{{(second.left + second.right) / 2, (second.top + second.bottom) / 2}, 0};
  EXPECT_EQ(SendMessageW(tabs_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEM));
  TCHITTESTINFO top{{hit.pt.x, 5}, 0};
  EXPECT_EQ(SendMessageW(tabs_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&top)), -1);
  EXPECT_EQ(top.flags, static_cast<UINT>(TCHT_NOWHERE));

  g_refuse = TRUE;
  SendMessageW(tabs_, WM_LBUTTONDOWN, 0x0001, MAKELPARAM(hit.pt.x, hit.pt.y));
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 0) << "the parent kept the current tab";
  g_refuse = FALSE;
  SendMessageW(tabs_, WM_LBUTTONDOWN, 0x0001, MAKELPARAM(hit.pt.x, hit.pt.y));
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(g_notified, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGING, TCN_SELCHANGE}));
}

TEST_F(TabControlTest, SetCurFocusChangesTheTabAsATapDoes) {
  Insert(0, u"One");
  Insert(1, u"Two");
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURFOCUS, 0, 0), 0);
  g_refuse = TRUE;
  SendMessageW(tabs_, TCM_SETCURFOCUS, 1, 0);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 0) << "the parent kept the current tab";
  g_refuse = FALSE;
  SendMessageW(tabs_, TCM_SETCURFOCUS, 1, 0);
  SendMessageW(tabs_, TCM_SETCURFOCUS, 7, 0);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURFOCUS, 0, 0), 1) << "without button tabs the focus is the selection";
  EXPECT_EQ(g_notified, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGING, TCN_SELCHANGE}));
}

TEST_F(TabControlTest, SetItemChangesWhatTheMaskNamesAndKeepsStatesAndApplicationBytes) {
  Insert(0, u"One");
  TCITEMW change{};
  change.mask = TCIF_TEXT | TCIF_STATE;
  change.pszText = const_cast<LPWSTR>(u"Uno");
  change.dwState = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
  change.dwStateMask = TCIS_HIGHLIGHTED;
  EXPECT_TRUE(SendMessageW(tabs_, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)));
  EXPECT_FALSE(SendMessageW(tabs_, TCM_SETITEMW, 3, reinterpret_cast<LPARAM>(&change)));
  EXPECT_EQ(Text(0), u"Uno");
  TCITEMW read{};
  read.mask = TCIF_STATE | TCIF_PARAM;
  read.dwStateMask = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
  ASSERT_TRUE(SendMessageW(tabs_, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)));
  EXPECT_EQ(read.dwState, static_cast<DWORD>(TCIS_HIGHLIGHTED)) << "only the states under the mask change";
  EXPECT_EQ(read.lParam, 100) << "TCIF_PARAM untouched by a change without it";

  // Application bytes of their own size, in place of lParam: only before the first tab.
  EXPECT_FALSE(SendMessageW(tabs_, TCM_SETITEMEXTRA, 16, 0));
  SendMessageW(tabs_, TCM_DELETEALLITEMS, 0, 0);
  EXPECT_TRUE(SendMessageW(tabs_, TCM_SETITEMEXTRA, 16, 0));
  struct WithBytes {
    TCITEMHEADERW header;
    BYTE bytes[16];
  } written{}, back{};
  static_assert(offsetof(WithBytes, bytes) == offsetof(TCITEMW, lParam));
  written.header.mask = TCIF_PARAM;
  for (int i = 0; i < 16; ++i) written.bytes[i] = static_cast<BYTE>(i + 1);
  EXPECT_EQ(SendMessageW(tabs_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&written)), 0);
  back.header.mask = TCIF_PARAM;
  ASSERT_TRUE(SendMessageW(tabs_, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&back)));
  EXPECT_EQ(std::vector<BYTE>(back.bytes, back.bytes + 16), std::vector<BYTE>(written.bytes, written.bytes + 16));
}

TEST_F(TabControlTest, SizesTheTabsAndTellsTheDisplayArea) {
  Insert(0, u"One");
  Insert(1, u"A longer title");
  EXPECT_EQ(SendMessageW(tabs_, TCM_GETROWCOUNT, 0, 0), 1);
  RECT row{};
  SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  LONG height = row.bottom - row.top;
  // TCM_ADJUSTRECT takes the row of tabs off the window, or adds it back, along the bottom.
  RECT area{0, 0, 240, 100};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(area.bottom, 100 - height);
  EXPECT_EQ(area.top, 0);
  SendMessageW(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(area.bottom, 100);

  // With TCS_FIXEDWIDTH every tab takes the width TCM_SETITEMSIZE gives; the answer is the size before.
  SetWindowLongW(tabs_, GWL_STYLE, GetWindowLongW(tabs_, GWL_STYLE) | TCS_FIXEDWIDTH);
  LRESULT before = SendMessageW(tabs_, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 30));
  EXPECT_EQ(HIWORD(before), height);
  EXPECT_EQ(LOWORD(before), row.right - row.left);
  for (WPARAM i = 0; i < 2; ++i) {
    RECT tab{};
    SendMessageW(tabs_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(tab.right - tab.left, 50) << i;
    EXPECT_EQ(tab.bottom - tab.top, 30) << i;
    EXPECT_EQ(tab.left, static_cast<LONG>(50 * i)) << i;
  }
}

TEST_F(TabControlTest, InitCommonControlsExRefusesARecordOfTheWrongSize) {
  INITCOMMONCONTROLSEX wrong{sizeof wrong + 1, ICC_TAB_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&wrong));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
}

}  // namespace
