// What the menu tests read back of a menu item, through GetMenuItemInfoW only.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace menu_testing {

struct ItemView {
  std::u16string text;
  UINT id = 0;
  UINT type = 0;
  UINT state = 0;
  HMENU submenu = nullptr;
  bool operator==(const ItemView&) const = default;
};

inline ItemView ViewItem(HMENU menu, UINT position) {
  WCHAR text[64] = u"";
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 64;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return ItemView{u"<missing>"};
  return ItemView{text, info.wID, info.fType, info.fState, info.hSubMenu};
}

// The texts of a menu's items, in order ("-" for a separator), read position by position until the
// first missing one.
inline std::vector<std::u16string> Texts(HMENU menu) {
  std::vector<std::u16string> texts;
  for (UINT i = 0;; ++i) {
    ItemView item = ViewItem(menu, i);
    if (item.text == u"<missing>") return texts;
    texts.push_back(item.type & MFT_SEPARATOR ? u"-" : item.text);
  }
}

}  // namespace menu_testing
