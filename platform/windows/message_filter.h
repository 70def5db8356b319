// The window and message-range filter of GetMessageW and PeekMessageW.
#pragma once

#include <algorithm>
#include <vector>

#include <windows.h>

namespace handset::windows {

struct MessageFilter {
  enum class Scope {
    AnyWindow,     // null window: every message of the thread
    ThreadOnly,    // (HWND)-1: only messages posted to the thread itself
    TheseWindows,  // a window: its messages and those of its descendants
  };
  Scope scope = Scope::AnyWindow;
  std::vector<HWND> windows;
  UINT first = 0;
  UINT last = 0;

  bool AcceptsMessage(UINT message) const { return (!first && !last) || (message >= first && message <= last); }
  bool AcceptsWindow(HWND window) const {
    switch (scope) {
      case Scope::AnyWindow:
        return true;
      case Scope::ThreadOnly:
        return !window;
      case Scope::TheseWindows:
        return window && std::find(windows.begin(), windows.end(), window) != windows.end();
    }
    return false;
  }
  bool Accepts(const MSG& message) const { return AcceptsWindow(message.hwnd) && AcceptsMessage(message.message); }
};

}  // namespace handset::windows
