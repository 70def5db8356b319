#include "shell/menu_bar.h"

#include <aygshell.h>

#include "controls/control_support.h"
#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;

namespace handset::shell {
namespace {

struct MenuBarRecord {
  std::vector<SoftKeyItem> keys;
  HMENU menu = nullptr;
  HFONT font = nullptr;
};

int BarHeight() { return GetSystemMetrics(SM_CYCAPTION); }

void PlaceAtBottom(HWND bar, UINT flags) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(bar, nullptr, 0, height - BarHeight(), width, BarHeight(), SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

// The first two top-level items of the menu, read through the menu functions.
std::vector<SoftKeyItem> ReadKeys(HMENU menu) {
  std::vector<SoftKeyItem> keys;
  for (UINT position = 0; menu && keys.size() < 2; ++position) {
    WCHAR text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = 64;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) break;
    if (info.fType & MFT_SEPARATOR) continue;
    keys.push_back({text, info.wID, info.hSubMenu != nullptr, !(info.fState & MFS_GRAYED)});
  }
  return keys;
}

void Paint(HWND bar, MenuBarRecord& record, HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_ACTIVECAPTION));
  controls::FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < record.keys.size(); ++i) {
    RECT key = SoftKeyRect(bar, i);
    SetTextColor(dc, GetSysColor(record.keys[i].enabled ? COLOR_CAPTIONTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, record.keys[i].label.c_str(), -1, &key, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void Press(HWND bar, const MenuBarRecord& record, std::size_t index) {
  if (index >= record.keys.size()) return;
  const auto& key = record.keys[index];
  HWND parent = GetWindow(bar, GW_OWNER);
  if (key.enabled && !key.opensMenu && parent) PostMessageW(parent, WM_COMMAND, MAKEWPARAM(key.command, 0), 0);
}

LRESULT MenuBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = controls::RecordOf<MenuBarRecord>(bar);
  if (!record) return DefWindowProcW(bar, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONUP: {
      RECT client;
      GetClientRect(bar, &client);
      Press(bar, *record, static_cast<short>(LOWORD(lParam)) < client.right / 2 ? 0 : 1);
      return 0;
    }
    case WM_SETTINGCHANGE:
      if (wParam == SETTINGCHANGE_RESET) PlaceAtBottom(bar, 0);
      return 0;
    case WM_DESTROY:
      if (record->menu) DestroyMenu(record->menu);
      record->menu = nullptr;
      return controls::ControlDefault(bar, message, wParam, lParam, *record, Paint);
    default:
      return controls::ControlDefault(bar, message, wParam, lParam, *record, Paint);
  }
}

bool RegisterBarClass() {
  WNDCLASSW c{};
  c.lpfnWndProc = MenuBarProc;
  c.lpszClassName = kMenuBarClass;
  return RegisterClassW(&c) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

RECT SoftKeyRect(HWND bar, std::size_t index) {
  RECT client;
  GetClientRect(bar, &client);
  LONG half = client.right / 2;
  return index == 0 ? RECT{0, 0, half, client.bottom} : RECT{half, 0, client.right, client.bottom};
}

HWND CreateSoftKeyBar(HWND parent, HMENU menu) {
  if (!RegisterBarClass()) return nullptr;
  HWND bar = CreateWindowExW(0, kMenuBarClass, u"", WS_POPUP, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
  if (!bar) return nullptr;
  auto record = controls::RecordOf<MenuBarRecord>(bar);
  if (!record) return nullptr;
  record->menu = menu;
  record->keys = ReadKeys(menu);
  // Shown without taking the activation from the window it serves.
  PlaceAtBottom(bar, SWP_SHOWWINDOW);
  // A window that reached the bottom of the screen now ends above the bar.
  RECT placed;
  if (!(GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) && GetWindowRect(parent, &placed) &&
      placed.bottom > GetSystemMetrics(SM_CYSCREEN) - BarHeight()) {
    SetWindowPos(parent, nullptr, 0, 0, placed.right - placed.left,
                 GetSystemMetrics(SM_CYSCREEN) - BarHeight() - placed.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return bar;
}

std::vector<SoftKeyItem> SoftKeysOf(HWND bar) {
  WCHAR name[32];
  if (!IsWindow(bar) || !GetClassNameW(bar, name, 32) || std::u16string_view(name) != kMenuBarClass) return {};
  auto record = controls::RecordOf<MenuBarRecord>(bar);
  return record ? record->keys : std::vector<SoftKeyItem>{};
}

HWND SoftKeyBarFor(HWND window) {
  auto topLevel = windows::Windows().TopLevel();
  for (auto it = topLevel.rbegin(); it != topLevel.rend(); ++it) {
    HWND bar = *it;
    WCHAR name[32];
    if (!GetClassNameW(bar, name, 32) || std::u16string_view(name) != kMenuBarClass || !IsWindowVisible(bar)) continue;
    HWND owner = GetWindow(bar, GW_OWNER);
    if (!window || (owner && (owner == window || IsChild(window, owner)))) return bar;
  }
  return nullptr;
}

std::string SoftKeyPoint(HWND bar, int number, POINT& point) {
  auto keys = SoftKeysOf(bar);
  if (number != 1 && number != 2) return "there is no soft key " + std::to_string(number);
  if (static_cast<std::size_t>(number) > keys.size()) return "soft key " + std::to_string(number) + " shows nothing";
  const auto& key = keys[static_cast<std::size_t>(number - 1)];
  if (!key.enabled) return "soft key " + std::to_string(number) + " is disabled";
  if (key.opensMenu) return "soft key " + std::to_string(number) + " opens a menu, which this handset does not show";
  RECT rect = SoftKeyRect(bar, static_cast<std::size_t>(number - 1));
  point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return {};
}

std::string PressSoftKey(HWND bar, int number) {
  POINT centre;
  std::string why = SoftKeyPoint(bar, number, centre);
  if (!why.empty()) return why;
  SendMessageW(bar, WM_LBUTTONDOWN, 0x0001, MAKELPARAM(centre.x, centre.y));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  return {};
}

}  // namespace handset::shell

extern "C" BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!info || info->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    HMENU menu = nullptr;
    if (!(info->dwFlags & SHCMBF_EMPTYBAR)) {
      // Without SHCMBF_HMENU the id names a toolbar resource, which this handset has no bars of.
      if (!(info->dwFlags & SHCMBF_HMENU)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
      menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
      if (!menu) return FALSE;
    }
    HWND bar = handset::shell::CreateSoftKeyBar(info->hwndParent, menu);
    if (!bar) {
      if (menu) DestroyMenu(menu);
      return FALSE;
    }
    if (info->dwFlags & SHCMBF_HIDDEN) ShowWindow(bar, SW_HIDE);
    info->hwndMB = bar;
    return TRUE;
  });
}
