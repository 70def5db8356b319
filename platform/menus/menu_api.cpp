// CreateMenu, CreatePopupMenu, DestroyMenu, AppendMenuW, InsertMenuW, RemoveMenu, DeleteMenu,
// GetSubMenu, GetMenuItemInfoW, EnableMenuItem, CheckMenuItem and CheckMenuRadioItem. A stale menu
// handle fails with ERROR_INVALID_MENU_HANDLE, a missing item with ERROR_MENU_ITEM_NOT_FOUND; the
// state changers then answer -1 as Win32 does.
#include <windows.h>

#include <algorithm>

#include "core/api_guard.h"
#include "menus/menu_objects.h"

using handset::core::Guarded;
using namespace handset::menus;

namespace {

constexpr DWORD kNoItem = 0xFFFFFFFFu;

// Runs `change` on the item named by `item` and `flags`, under the menu lock; `failed` for a stale
// menu or a missing item.
template <class Result, class Change>
Result WithItem(HMENU handle, UINT item, UINT flags, Result failed, Change&& change) {
  return Guarded<Result>(failed, [&]() -> Result {
    auto lock = LockMenus();
    auto menu = FindMenu(handle);
    if (!menu) return failed;
    auto place = FindItem(handle, menu, item, (flags & MF_BYPOSITION) != 0);
    return place ? change(*place) : failed;
  });
}

BOOL Insert(HMENU handle, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem, bool append) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto lock = LockMenus();
    auto menu = FindMenu(handle);
    if (!menu) return FALSE;
    // Before the item named by command (in whichever submenu holds it), or at a position; a position
    // past the end appends.
    ItemPlace into{handle, menu, menu->items.size()};
    if (!append && (flags & MF_BYPOSITION)) {
      into.position = std::min<std::size_t>(position, into.position);
    } else if (!append) {
      auto place = FindItem(handle, menu, position, false);
      if (!place) return FALSE;
      into = *place;
    }
    auto item = MakeItem(into.handle, flags, idNewItem, newItem);
    if (!item) return FALSE;
    into.menu->items.insert(into.menu->items.begin() + static_cast<std::ptrdiff_t>(into.position), std::move(*item));
    return TRUE;
  });
}

BOOL Remove(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
  return WithItem<BOOL>(handle, position, flags, FALSE, [&](const ItemPlace& place) -> BOOL {
    HMENU submenu = place.Item().submenu;
    place.menu->items.erase(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.position));
    if (destroySubmenu && submenu) DestroyMenuTree(submenu);
    return TRUE;
  });
}

// Copies the item's text the way GetMenuItemInfoW reports it: without a buffer, cch receives the
// length; with one, at most cch - 1 units and a terminator, and cch receives the units copied.
void CopyText(const MenuItem& item, MENUITEMINFOW& info) {
  if (item.type & (MF_BITMAP | MF_OWNERDRAW)) {
    info.dwTypeData = reinterpret_cast<LPWSTR>(item.type & MF_BITMAP ? item.content : item.data);
    return;
  }
  const std::u16string& text = item.text;
  if (info.dwTypeData == nullptr || info.cch == 0) {
    info.cch = static_cast<UINT>(text.size());
    return;
  }
  UINT copied = static_cast<UINT>(std::min<std::size_t>(text.size(), info.cch - 1));
  text.copy(info.dwTypeData, copied);
  info.dwTypeData[copied] = u'\0';
  info.cch = copied;
}

}  // namespace

extern "C" {

HMENU CreateMenu(void) {
  return Guarded<HMENU>(nullptr, [] { return AddMenu(false); });
}

HMENU CreatePopupMenu(void) {
  return Guarded<HMENU>(nullptr, [] { return AddMenu(true); });
}

BOOL DestroyMenu(HMENU menu) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto lock = LockMenus();
    if (DestroyMenuTree(menu)) return TRUE;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  });
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
  return Insert(menu, 0, flags, idNewItem, newItem, true);
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
  return Insert(menu, position, flags, idNewItem, newItem, false);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, false); }

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, true); }

HMENU GetSubMenu(HMENU menu, int position) {
  return WithItem<HMENU>(menu, static_cast<UINT>(position), MF_BYPOSITION, nullptr,
                         [](const ItemPlace& place) { return place.Item().submenu; });
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
  if (info == nullptr || info->cbSize < sizeof(MENUITEMINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithItem<BOOL>(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, FALSE,
                        [&](const ItemPlace& place) -> BOOL {
                          const MenuItem& found = place.Item();
                          if (info->fMask & MIIM_STATE) info->fState = found.state;
                          if (info->fMask & MIIM_ID) info->wID = found.id;
                          if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found.submenu;
                          if (info->fMask & MIIM_CHECKMARKS) {
                            info->hbmpChecked = found.checkedMark;
                            info->hbmpUnchecked = found.uncheckedMark;
                          }
                          if (info->fMask & MIIM_DATA) info->dwItemData = found.data;
                          if (info->fMask & MIIM_TYPE) {
                            info->fType = found.type;
                            CopyText(found, *info);
                          }
                          return TRUE;
                        });
}

BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable) {
  return WithItem<BOOL>(menu, idEnableItem, enable, -1, [&](const ItemPlace& place) -> BOOL {
    constexpr UINT kEnableBits = MF_GRAYED | MF_DISABLED;
    MenuItem& item = place.Item();
    UINT previous = item.state & kEnableBits;
    item.state = (item.state & ~kEnableBits) | (enable & kEnableBits);
    return static_cast<BOOL>(previous);
  });
}

DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check) {
  return WithItem<DWORD>(menu, idCheckItem, check, kNoItem, [&](const ItemPlace& place) -> DWORD {
    MenuItem& item = place.Item();
    DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
  });
}

// The group is the run of items from `first` to `last` in the menu that holds `first`. When `check`
// is not one of them the call fails and leaves the group as it was.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  return WithItem<BOOL>(menu, first, flags, FALSE, [&](const ItemPlace& start) -> BOOL {
    bool byPosition = (flags & MF_BYPOSITION) != 0;
    auto end = FindItem(start.handle, start.menu, last, byPosition);
    auto chosen = FindItem(start.handle, start.menu, check, byPosition);
    std::size_t low = start.position;
    std::size_t high = end ? end->position : 0;
    if (low > high) std::swap(low, high);
    if (!end || !chosen || end->menu != start.menu || chosen->menu != start.menu || chosen->position < low ||
        chosen->position > high) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return FALSE;
    }
    for (std::size_t i = low; i <= high; ++i) {
      MenuItem& item = start.menu->items[i];
      if (i == chosen->position) {
        item.type |= MFT_RADIOCHECK;
        item.state |= MFS_CHECKED;
      } else {
        item.type &= ~MFT_RADIOCHECK;
        item.state &= ~MFS_CHECKED;
      }
    }
    return TRUE;
  });
}

}  // extern "C"
