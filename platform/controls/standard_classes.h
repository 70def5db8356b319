// The window procedures of the standard control classes, registered under the names Windows CE
// gives them ("button", "edit", "static", "listbox", "combobox", "scrollbar").
#pragma once

#include <vector>

#include <windows.h>

namespace handset::controls {

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The classes above as the system registers them: the one list of the standard controls.
std::vector<WNDCLASSW> StandardClasses();

}  // namespace handset::controls
