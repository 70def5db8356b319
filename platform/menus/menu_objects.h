// Menus of the handset: handle objects without a window, each a list of items; an item may open a
// submenu, which it names by handle. A menu owns the submenus of its items: destroying it (or
// deleting such an item) destroys them too.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace handset::menus {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* bits
  UINT state = 0;          // MFS_* bits
  UINT id = 0;
  HMENU submenu = nullptr;
  std::u16string text;
  ULONG_PTR content = 0;  // the bitmap handle of an MFT_BITMAP item
  ULONG_PTR data = 0;     // the caller's item data (that of an owner-drawn item)
  HBITMAP checkedMark = nullptr;
  HBITMAP uncheckedMark = nullptr;
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
};

// Every menu call holds this lock: an item named by command may lie in any submenu.
std::unique_lock<std::recursive_mutex> LockMenus();

HMENU AddMenu(bool popup);
// The menu behind a handle; null (and ERROR_INVALID_MENU_HANDLE) for a stale or foreign handle.
std::shared_ptr<Menu> FindMenu(HMENU handle);
// Removes the menu and, depth first, the submenus it owns. False for a stale handle.
bool DestroyMenuTree(HMENU handle);

// An item found in a menu tree: the menu that holds it and its position there.
struct ItemPlace {
  HMENU handle = nullptr;
  std::shared_ptr<Menu> menu;
  std::size_t position = 0;
  MenuItem& Item() const { return menu->items[position]; }
};
// By position: the item of `menu` itself. By command: the first item with that id, searching each
// submenu before the item that opens it, as Win32 does.
std::optional<ItemPlace> FindItem(HMENU handle, const std::shared_ptr<Menu>& menu, UINT item, bool byPosition);

// The item that AppendMenuW and InsertMenuW make of their flags (MF_*), id or submenu, and text.
// Nothing (and the error set) when the submenu is stale or would hold `into` itself.
std::optional<MenuItem> MakeItem(HMENU into, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR content);

}  // namespace handset::menus
