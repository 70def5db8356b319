// Any bytes as a MENU resource, as LoadMenuW reads a module's: a menu with every item the
// template names, or none, never a read outside the resource or a menu left behind.
#include <cstddef>
#include <cstdint>
#include <span>

#include <windows.h>

#include "menus/menu_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto bytes = std::as_bytes(std::span(data, size));
  if (HMENU menu = handset::menus::MenuFromTemplate(bytes)) {
    // A template ends its level with an item, so a menu read has its first.
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(menu, 0, TRUE, &item)) __builtin_trap();
    DestroyMenu(menu);
  }
  return 0;
}
