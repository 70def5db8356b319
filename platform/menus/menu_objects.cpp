#include "menus/menu_objects.h"

#include "core/handset.h"

namespace handset::menus {
namespace {

struct MenuLockState {
  std::recursive_mutex mutex;
};

core::HandleTable& Handles() { return core::Current().Handles(); }

// Whether `target` is `from` or one of the submenus below it.
bool Reaches(HMENU from, HMENU target) {
  if (from == target) return true;
  auto menu = Handles().Find<Menu>(from);
  if (!menu) return false;
  for (const auto& item : menu->items)
    if (item.submenu && Reaches(item.submenu, target)) return true;
  return false;
}

std::optional<ItemPlace> FindByCommand(HMENU handle, const std::shared_ptr<Menu>& menu, UINT id) {
  std::optional<ItemPlace> opener;
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.submenu) {
      if (auto sub = Handles().Find<Menu>(item.submenu))
        if (auto found = FindByCommand(item.submenu, sub, id)) return found;
      if (item.id == id && !opener) opener = ItemPlace{handle, menu, i};
    } else if (item.id == id) {
      return ItemPlace{handle, menu, i};
    }
  }
  return opener;
}

}  // namespace

std::unique_lock<std::recursive_mutex> LockMenus() {
  return std::unique_lock(core::State<MenuLockState>().mutex);
}

HMENU AddMenu(bool popup) {
  auto menu = std::make_shared<Menu>();
  menu->popup = popup;
  return core::HandleTable::ToHandle<HMENU>(Handles().Add(std::move(menu)));
}

std::shared_ptr<Menu> FindMenu(HMENU handle) {
  auto menu = Handles().Find<Menu>(handle);
  if (!menu) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return menu;
}

bool DestroyMenuTree(HMENU handle) {
  auto menu = Handles().Remove<Menu>(handle);
  if (!menu) return false;
  // A submenu already destroyed by its caller is simply skipped.
  for (const auto& item : menu->items)
    if (item.submenu) DestroyMenuTree(item.submenu);
  return true;
}

std::optional<ItemPlace> FindItem(HMENU handle, const std::shared_ptr<Menu>& menu, UINT item, bool byPosition) {
  std::optional<ItemPlace> found;
  if (byPosition) {
    if (item < menu->items.size()) found = ItemPlace{handle, menu, item};
  } else {
    found = FindByCommand(handle, menu, item);
  }
  if (!found) SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return found;
}

std::optional<MenuItem> MakeItem(HMENU into, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR content) {
  MenuItem item;
  item.type = flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP);
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
  item.id = static_cast<UINT>(idOrSubmenu);
  if (flags & MF_POPUP) {
    auto submenu = core::HandleTable::ToHandle<HMENU>(static_cast<std::uint32_t>(idOrSubmenu));
    if (!Handles().Find<Menu>(submenu) || idOrSubmenu > 0xFFFFFFFFu) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return std::nullopt;
    }
    // A menu inside its own tree would make every search and every destruction endless.
    if (Reaches(submenu, into)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return std::nullopt;
    }
    item.submenu = submenu;
  }
  if (item.type & MF_SEPARATOR) return item;
  if (item.type & MF_BITMAP)
    item.content = reinterpret_cast<ULONG_PTR>(content);
  else if (item.type & MF_OWNERDRAW)
    item.data = reinterpret_cast<ULONG_PTR>(content);
  else if (content)
    item.text = content;
  return item;
}

}  // namespace handset::menus
