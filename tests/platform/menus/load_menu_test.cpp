// LoadMenuW: menus from the resource compiler's templates in a module's localized resource module,
// and templates that are damaged.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "handset/handset.h"
#include "handset/modules.h"
#include "loader/loader_fixture.h"
#include "menu_test_support.h"

namespace menu_testing {
namespace {

class LoadMenuTest : public loader_testing::ResmodTest {};

TEST_F(LoadMenuTest, BuildsTheMenuTreeOfTheLocalizedTemplate) {
  // The resource's own handle lives as long as the module; only menus are counted below.
  ASSERT_NE(FindResourceW(module_, MAKEINTRESOURCEW(2604), RT_MENU), nullptr);
  std::size_t handlesBefore = handset::LiveHandleCount();
  HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(2604));
  ASSERT_NE(menu, nullptr);

  ItemView done = ViewItem(menu, 0);
  EXPECT_EQ(done, (ItemView{u"Done", 2200, MFT_STRING, MFS_ENABLED, nullptr}));
  ItemView popup = ViewItem(menu, 1);
  EXPECT_EQ(popup.text, u"Menu");
  ASSERT_NE(popup.submenu, nullptr);
  EXPECT_EQ(GetSubMenu(menu, 1), popup.submenu);
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr) << "a command opens no submenu";

  EXPECT_EQ(Texts(popup.submenu), (std::vector<std::u16string>{u"First", u"-", u"Off", u"Deeper"}));
  EXPECT_EQ(ViewItem(popup.submenu, 0).state, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(ViewItem(popup.submenu, 2).state & MFS_GRAYED, static_cast<UINT>(MF_GRAYED));
  HMENU deeper = GetSubMenu(popup.submenu, 3);
  EXPECT_EQ(ViewItem(deeper, 0), (ItemView{u"Inner", 2201, MFT_STRING, MFS_ENABLED, nullptr}));
  // A command of a nested popup is reached from the top.
  EXPECT_EQ(CheckMenuItem(menu, 2201, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));

  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore + 3) << "the menu and its two popups";
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore) << "destroying the menu destroys its popups";
  EXPECT_FALSE(GetMenuItemInfoW(deeper, 0, TRUE, nullptr));
}

TEST_F(LoadMenuTest, FollowsTheUserInterfaceLanguageAndReportsAMissingMenu) {
  handset::SetUILanguage(0x0411);
  HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(2604));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Texts(menu), std::vector<std::u16string>{u"完了"});
  EXPECT_EQ(ViewItem(menu, 0).id, 2200u);
  DestroyMenu(menu);

  EXPECT_EQ(LoadMenuW(module_, MAKEINTRESOURCEW(2605)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

// Templates as bytes: each damaged one loads nothing and leaves no menu behind.
std::vector<std::byte> Bytes(std::initializer_list<WORD> words) {
  std::vector<std::byte> bytes(words.size() * sizeof(WORD));
  std::memcpy(bytes.data(), std::data(words), bytes.size());
  return bytes;
}

TEST_F(LoadMenuTest, RefusesDamagedTemplatesWithoutLeakingMenus) {
  const WORD end = MF_END, popup = MF_POPUP;
  // Well formed but for its depth: forty popups, each the last item of its level.
  std::vector<std::byte> deep = Bytes({0, 0});
  for (int level = 0; level < 40; ++level) {
    auto more = Bytes({popup | end, u'p', 0});
    deep.insert(deep.end(), more.begin(), more.end());
  }
  auto innermost = Bytes({end, 7, u'a', 0});
  deep.insert(deep.end(), innermost.begin(), innermost.end());
  struct Case {
    const char* what;
    std::vector<std::byte> bytes;
  } cases[] = {
      {"no header", Bytes({0})},
      {"a later template version", Bytes({1, 4, 0, 0, end, 7, u'a', 0})},
      {"a header longer than the template", Bytes({0, 40, end, 7, 0})},
      {"no items", Bytes({0, 0})},
      {"a text without terminator", Bytes({0, 0, end, 7, u'a', u'b'})},
      {"an item without its id", Bytes({0, 0, end})},
      {"no item marked last", Bytes({0, 0, 0, 7, u'a', 0, 0, 8, u'b', 0})},
      {"a popup whose items are missing", Bytes({0, 0, end | popup, u'p', 0})},
      {"popups nested forty deep", deep},
  };
  HMODULE fake = nullptr;
  std::size_t handlesBefore = 0;
  WORD name = 1;
  handset::InMemoryModule module;
  for (auto& c : cases) module.resources.push_back({WORD{4}, name++, c.bytes});
  handset::RegisterModule(u"menus.dll", std::move(module));
  fake = LoadLibraryW(u"menus.dll");
  ASSERT_NE(fake, nullptr);
  name = 1;
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(FindResourceW(fake, MAKEINTRESOURCEW(name), RT_MENU), nullptr);
    handlesBefore = handset::LiveHandleCount();
    EXPECT_EQ(LoadMenuW(fake, MAKEINTRESOURCEW(name++)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_FORMAT));
    EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
  }
  FreeLibrary(fake);
}

}  // namespace
}  // namespace menu_testing
