#include <windows.h>

#include <optional>
#include <vector>

#include "core/api_guard.h"
#include "gdi/region_handles.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

namespace {

// Takes the update away when the region leaves none of it uncovered.
bool ValidateRegion(HWND window, const handset::gdi::Region& region) {
  auto& manager = Windows();
  auto found = manager.Find(window);
  if (!found) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  auto pending = manager.PeekUpdate(*found);
  if (pending && handset::gdi::Region::Combine(handset::gdi::Region(*pending), region, RGN_DIFF).Empty())
    manager.ValidateArea(found, nullptr);
  return true;
}

}  // namespace

extern "C" {

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& manager = Windows();
    if (!window) {  // every window
      for (HWND top : manager.TopLevel())
        if (auto w = manager.Find(top)) manager.InvalidateArea(w, nullptr, erase != FALSE);
      return TRUE;
    }
    auto found = manager.Find(window);
    if (!found) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    manager.InvalidateArea(found, rect, erase != FALSE);
    return TRUE;
  });
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& manager = Windows();
    auto found = manager.Find(window);
    if (!found) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    manager.ValidateArea(found, rect);
    return TRUE;
  });
}

BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& manager = Windows();
    auto found = manager.Find(window);
    if (!found) return FALSE;
    auto update = manager.PeekUpdate(*found);
    if (rect) *rect = update.value_or(RECT{0, 0, 0, 0});
    return update ? TRUE : FALSE;
  });
}

// Paints the window and then its children now, each that has something to paint, without waiting
// for the queue to be empty.
BOOL UpdateWindow(HWND window) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& manager = Windows();
    if (!manager.Find(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    std::vector<HWND> pending{window};
    for (std::size_t i = 0; i < pending.size(); ++i) {
      auto w = manager.Find(pending[i]);
      if (!w) continue;
      if (manager.PeekUpdate(*w)) SendMessageW(pending[i], WM_PAINT, 0, 0);
      auto children = manager.Children(pending[i]);
      pending.insert(pending.end(), children.begin(), children.end());
    }
    return TRUE;
  });
}

// With an update region, its rectangles (client coordinates) are what is invalidated or validated,
// and the rectangle is not used, as on Win32. The window's update area is one rectangle here, so
// invalidating a region adds its bounding rectangles; validating takes the update away only when the
// region covers all of it.
BOOL RedrawWindow(HWND window, const RECT* update, HRGN updateRegion, UINT flags) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    std::optional<handset::gdi::Region> region;
    if (updateRegion) {
      region = handset::gdi::RegionOf(updateRegion);
      if (!region) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
      }
    }
    std::vector<HWND> targets = window ? std::vector<HWND>{window} : Windows().TopLevel();
    for (HWND target : targets) {
      if (flags & RDW_INVALIDATE) {
        bool erase = (flags & RDW_ERASE) != 0;
        if (!region) {
          if (!InvalidateRect(target, update, erase)) return FALSE;
        } else if (!Windows().Find(target)) {
          SetLastError(ERROR_INVALID_WINDOW_HANDLE);
          return FALSE;
        } else {
          for (const RECT& part : region->Rects())
            if (!InvalidateRect(target, &part, erase)) return FALSE;
        }
      } else if (flags & RDW_VALIDATE) {
        if (!region) {
          if (!ValidateRect(target, update)) return FALSE;
        } else if (!ValidateRegion(target, *region)) {
          return FALSE;
        }
      }
      if ((flags & RDW_UPDATENOW) && !UpdateWindow(target)) return FALSE;
    }
    return TRUE;
  });
}

}  // extern "C"
