#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

HWND GetParent(HWND window) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Parent(window); });
}

HWND GetWindow(HWND window, UINT relation) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().Related(window, relation); });
}

HWND GetDlgItem(HWND dialog, int id) {
  return Guarded<HWND>(nullptr, [&]() -> HWND { return Windows().ChildById(dialog, id); });
}

int GetDlgCtrlID(HWND window) {
  return Guarded<int>(0, [&]() -> int { return static_cast<int>(Windows().GetData(window, GWLP_ID, 8).value_or(0)); });
}

BOOL IsChild(HWND parent, HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL { return Windows().IsDescendant(parent, window) ? TRUE : FALSE; });
}

}  // extern "C"
