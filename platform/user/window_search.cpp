#include "user/window_search.h"

#include <string>

#include "core/names.h"
#include "windows/window_manager.h"

namespace handset::user {

bool IsClass(HWND window, std::u16string_view name) {
  WCHAR buffer[64];
  int length = GetClassNameW(window, buffer, 64);
  return core::SameName(std::u16string_view(buffer, static_cast<std::size_t>(length)), name);
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> all;
  std::vector<HWND> pending = windows::Windows().Children(root);
  for (std::size_t i = 0; i < pending.size(); ++i) {
    all.push_back(pending[i]);
    auto children = windows::Windows().Children(pending[i]);
    pending.insert(pending.end(), children.begin(), children.end());
  }
  return all;
}

HWND FindControl(HWND root, int id) {
  for (HWND window : Descendants(root))
    if (GetDlgCtrlID(window) == id && IsWindowVisible(window)) return window;
  return nullptr;
}

HWND FindVisibleOfClass(HWND root, std::u16string_view className) {
  for (HWND window : Descendants(root))
    if (IsClass(window, className) && IsWindowVisible(window)) return window;
  return nullptr;
}

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace handset::user
