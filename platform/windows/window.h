// The record behind an HWND. Every field that a window function may change later (procedure, text,
// style, place in the tree) is guarded by the window manager's lock; the procedure lives here, per
// window, so that replacing it (subclassing) touches one window and not its class.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include <windows.h>

#include "windows/scroll_bar.h"
#include "windows/window_class.h"

namespace handset::windows {

class MessageQueue;

enum class WindowState {
  Creating,    // between the record's birth and the end of WM_CREATE
  Alive,
  Destroying,  // WM_DESTROY sent or being sent; the handle is still valid
  Gone,        // unlinked and its handle released
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  // The thread that created the window and whose queue receives its messages.
  DWORD threadId = 0;
  std::shared_ptr<MessageQueue> queue;
  std::atomic<WindowState> state{WindowState::Creating};

  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;  // a child's identifier (the HMENU argument of CreateWindowExW)
  std::vector<BYTE> extraBytes;  // the class's cbWndExtra, zeroed
  LONG_PTR userData = 0;         // GWLP_USERDATA
  std::u16string text;
  RECT rect{};  // in the parent's client coordinates (the screen's for a top-level window)

  // The part of the client area that waits for WM_PAINT (client coordinates), and whether
  // BeginPaint must erase the background first.
  std::optional<RECT> update;
  bool eraseOnPaint = false;

  // The window's own scroll bars, and the bar of a scroll-bar control (SB_HORZ, SB_VERT, SB_CTL).
  std::array<ScrollBar, 3> scrollBars{};

  // The tree: a child's parent, a top-level window's parent is the desktop. Children are kept in
  // z-order, topmost first.
  std::weak_ptr<Window> parent;
  std::weak_ptr<Window> owner;
  std::vector<std::shared_ptr<Window>> children;

  // What the window's procedures keep for it, one state per type (window_private.h); released
  // with the window's handle.
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> privateStates;
};

}  // namespace handset::windows
