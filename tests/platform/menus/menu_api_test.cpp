// Menus built by hand: inserting, removing, the item states, the results for stale handles and missing
// items, and that every menu handle is given back.
#include <windows.h>

#include <gtest/gtest.h>

#include "handset/handset.h"
#include "menu_test_support.h"
#include "support/handset_test.h"

namespace menu_testing {
namespace {

class MenuApiTest : public testing_support::HandsetTest {
 protected:
  // A menu bar {10 "Ten", popup "Sub" {20 "Twenty", 21 "TwentyOne", 22 "TwentyTwo"}, 30 "Thirty"}.
  void SetUp() override {
    HandsetTest::SetUp();
    handlesBefore_ = handset::LiveHandleCount();
    bar_ = CreateMenu();
    sub_ = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(sub_, MF_STRING, 20, u"Twenty"));
    ASSERT_TRUE(AppendMenuW(sub_, MF_STRING, 21, u"TwentyOne"));
    ASSERT_TRUE(AppendMenuW(sub_, MF_STRING, 22, u"TwentyTwo"));
    ASSERT_TRUE(AppendMenuW(bar_, MF_STRING, 10, u"Ten"));
    ASSERT_TRUE(AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), u"Sub"));
    ASSERT_TRUE(AppendMenuW(bar_, MF_STRING, 30, u"Thirty"));
  }
  void TearDown() override {
    if (IsMenuAlive(bar_)) DestroyMenu(bar_);
    EXPECT_EQ(handset::LiveHandleCount(), handlesBefore_) << "a menu handle leaked";
    HandsetTest::TearDown();
  }
  static MENUITEMINFOW Info(UINT mask) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
  }
  static bool IsMenuAlive(HMENU menu) {
    MENUITEMINFOW info = Info(0);
    SetLastError(ERROR_SUCCESS);
    GetMenuItemInfoW(menu, 0, TRUE, &info);
    return GetLastError() != ERROR_INVALID_MENU_HANDLE;
  }

  std::size_t handlesBefore_ = 0;
  HMENU bar_ = nullptr;
  HMENU sub_ = nullptr;
};

TEST_F(MenuApiTest, InsertsBeforeAnItemOrAtAPosition) {
  // By command the item goes before the one named, inside whichever submenu holds it.
  ASSERT_TRUE(InsertMenuW(bar_, 21, MF_BYCOMMAND, 40, u"Forty"));
  EXPECT_EQ(Texts(sub_), (std::vector<std::u16string>{u"Twenty", u"Forty", u"TwentyOne", u"TwentyTwo"}));
  ASSERT_TRUE(InsertMenuW(bar_, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(InsertMenuW(bar_, 99, MF_BYPOSITION | MF_GRAYED, 50, u"Fifty")) << "past the end appends";
  EXPECT_EQ(Texts(bar_), (std::vector<std::u16string>{u"-", u"Ten", u"Sub", u"Thirty", u"Fifty"}));
  EXPECT_EQ(ViewItem(bar_, 4).state, static_cast<UINT>(MF_GRAYED));
  EXPECT_FALSE(InsertMenuW(bar_, 99, MF_BYCOMMAND, 60, u"Sixty"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
}

TEST_F(MenuApiTest, RemoveKeepsTheSubmenuDeleteDestroysIt) {
  ASSERT_TRUE(RemoveMenu(bar_, 1, MF_BYPOSITION));
  EXPECT_EQ(Texts(bar_), (std::vector<std::u16string>{u"Ten", u"Thirty"}));
  EXPECT_EQ(Texts(sub_).size(), 3u) << "a removed popup stays the caller's";
  ASSERT_TRUE(InsertMenuW(bar_, 30, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), u"Again"));
  ASSERT_TRUE(DeleteMenu(bar_, 22, MF_BYCOMMAND)) << "an item of the submenu, by command";
  EXPECT_EQ(Texts(sub_), (std::vector<std::u16string>{u"Twenty", u"TwentyOne"}));
  ASSERT_TRUE(DeleteMenu(bar_, 1, MF_BYPOSITION));
  EXPECT_FALSE(IsMenuAlive(sub_)) << "a deleted popup is destroyed with its item";
  EXPECT_FALSE(DeleteMenu(bar_, 5, MF_BYPOSITION));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
}

TEST_F(MenuApiTest, EnableAndCheckAnswerThePreviousState) {
  EXPECT_EQ(EnableMenuItem(bar_, 21, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(bar_, 21, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(sub_, 2, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
  EXPECT_EQ(ViewItem(sub_, 2).state, static_cast<UINT>(MF_DISABLED));
  EXPECT_EQ(CheckMenuItem(bar_, 20, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(bar_, 20, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(ViewItem(sub_, 0).state, static_cast<UINT>(MF_UNCHECKED));
}

TEST_F(MenuApiTest, RadioCheckMarksOneItemOfTheGroupAndClearsTheOthers) {
  CheckMenuItem(sub_, 22, MF_CHECKED);
  ASSERT_TRUE(CheckMenuRadioItem(bar_, 20, 22, 21, MF_BYCOMMAND));
  EXPECT_EQ(ViewItem(sub_, 1).type & MFT_RADIOCHECK, static_cast<UINT>(MFT_RADIOCHECK));
  EXPECT_EQ(ViewItem(sub_, 1).state, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(ViewItem(sub_, 2).state, 0u);
  ASSERT_TRUE(CheckMenuRadioItem(sub_, 2, 0, 0, MF_BYPOSITION)) << "the ends may come in either order";
  EXPECT_EQ(ViewItem(sub_, 0).state, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(ViewItem(sub_, 1).type & MFT_RADIOCHECK, 0u);
  // An item outside the group: nothing changes.
  EXPECT_FALSE(CheckMenuRadioItem(sub_, 1, 2, 0, MF_BYPOSITION));
  EXPECT_FALSE(CheckMenuRadioItem(bar_, 20, 30, 21, MF_BYCOMMAND)) << "the ends lie in different menus";
  EXPECT_EQ(ViewItem(sub_, 0).state, static_cast<UINT>(MFS_CHECKED));
}

TEST_F(MenuApiTest, ItemTextIsCopiedWithinTheCallersBuffer) {
  MENUITEMINFOW info = Info(MIIM_TYPE);
  ASSERT_TRUE(GetMenuItemInfoW(bar_, 21, FALSE, &info));
  EXPECT_EQ(info.cch, 9u) << "without a buffer: the length";
  WCHAR text[6] = u"#####";
  info.dwTypeData = text;
  info.cch = 5;
  ASSERT_TRUE(GetMenuItemInfoW(bar_, 21, FALSE, &info));
  EXPECT_EQ(std::u16string(text), u"Twen");
  EXPECT_EQ(info.cch, 4u);
  EXPECT_EQ(text[5], u'\0');
  info.cbSize = sizeof info - 1;
  EXPECT_FALSE(GetMenuItemInfoW(bar_, 21, FALSE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(MenuApiTest, AMenuNeverOpensItselfOrItsOwnParent) {
  EXPECT_FALSE(AppendMenuW(sub_, MF_POPUP, reinterpret_cast<UINT_PTR>(bar_), u"Loop"));
  EXPECT_FALSE(AppendMenuW(sub_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), u"Self"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InsertMenuW(bar_, 20, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), u"Inside"));
  EXPECT_EQ(Texts(sub_).size(), 3u);
}

// Every call on a destroyed menu fails the Win32 way, as does every call on an item that is not there.
TEST_F(MenuApiTest, StaleHandlesAndMissingItemsFailAsOnWin32) {
  HMENU stale = CreatePopupMenu();
  ASSERT_TRUE(DestroyMenu(stale));
  MENUITEMINFOW info = Info(MIIM_ID);
  struct Case {
    HMENU menu;
    DWORD error;
  } cases[] = {{stale, ERROR_INVALID_MENU_HANDLE}, {bar_, ERROR_MENU_ITEM_NOT_FOUND}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    const UINT missing = 77;
    EXPECT_EQ(EnableMenuItem(c.menu, missing, MF_GRAYED), -1);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(CheckMenuItem(c.menu, missing, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_FALSE(GetMenuItemInfoW(c.menu, missing, FALSE, &info));
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_FALSE(RemoveMenu(c.menu, missing, MF_BYCOMMAND));
    EXPECT_FALSE(CheckMenuRadioItem(c.menu, 10, missing, 10, MF_BYCOMMAND));
    EXPECT_EQ(GetSubMenu(c.menu, 9), nullptr);
  }
  EXPECT_FALSE(DestroyMenu(stale));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_FALSE(AppendMenuW(stale, MF_STRING, 1, u"x"));
  EXPECT_FALSE(AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(stale), u"x"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(Texts(bar_).size(), 3u);
}

}  // namespace
}  // namespace menu_testing
