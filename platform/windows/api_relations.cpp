#include <windows.h>

#include "windows/window_manager.h"

using handset::windows::Windows;

extern "C" {

HWND GetParent(HWND window) { return Windows().Parent(window); }

HWND GetWindow(HWND window, UINT relation) { return Windows().Related(window, relation); }

HWND GetDlgItem(HWND dialog, int id) { return Windows().ChildById(dialog, id); }

int GetDlgCtrlID(HWND window) { return static_cast<int>(Windows().GetData(window, GWLP_ID, 8).value_or(0)); }

BOOL IsChild(HWND parent, HWND window) { return Windows().IsDescendant(parent, window) ? TRUE : FALSE; }

}  // extern "C"
