// Control API of the handset's window manager: the windows up now, as a person would describe the
// screen, for tests and for tools that show what a scenario left behind.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace handset::windows {

struct WindowInfo {
  HWND handle = nullptr;
  std::u16string className;  // as registered ("button", "Dialog", ...)
  std::u16string text;
  int id = 0;                // a child's identifier
  RECT rect{};               // on the screen
  bool visible = false;      // the window and all its ancestors
  bool enabled = false;
  std::vector<WindowInfo> children;  // in z-order, which for controls is their creation order
};

// The top-level windows of every thread, topmost first, each with its descendants.
std::vector<WindowInfo> TopLevelWindows();

// The dialog template a window was made from (a dialog box, a property sheet's page); 0 for any
// other window. On the window's thread, which may destroy the window meanwhile otherwise.
int DialogTemplate(HWND window);

// How many states the window procedures keep for windows (a control's items, a dialog's font and
// result) that are not yet released: what a test watches to see them go with their windows.
std::size_t LivePrivateStates();

}  // namespace handset::windows
