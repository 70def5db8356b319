#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "windows/position_batch.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::PositionBatch;
using handset::windows::PositionChange;
using handset::windows::Windows;

namespace {

// The screen position of a window's client origin; (0, 0) for null, the screen itself.
bool OriginOf(HWND window, POINT& origin) {
  if (!window) {
    origin = {0, 0};
    return true;
  }
  auto found = Windows().ClientOriginOnScreen(window);
  if (!found) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  origin = *found;
  return true;
}

}  // namespace

extern "C" {

BOOL GetWindowRect(HWND window, LPRECT rect) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = Windows().WindowRectOnScreen(window);
    if (!found || !rect) {
      if (!found) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    *rect = *found;
    return TRUE;
  });
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = Windows().ClientRect(window);
    if (!found || !rect) {
      if (!found) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    *rect = *found;
    return TRUE;
  });
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    POINT origin;
    if (!window || !point || !OriginOf(window, origin)) return FALSE;
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
  });
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    POINT origin;
    if (!window || !point || !OriginOf(window, origin)) return FALSE;
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
  });
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  return Guarded<int>(0, [&]() -> int {
    POINT fromOrigin, toOrigin;
    if (!OriginOf(from, fromOrigin) || !OriginOf(to, toOrigin)) return 0;
    LONG dx = fromOrigin.x - toOrigin.x, dy = fromOrigin.y - toOrigin.y;
    for (UINT i = 0; points && i < count; ++i) {
      points[i].x += dx;
      points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);  // a zero result is then told apart from a failure
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
  });
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return Windows().ApplyPositions({PositionChange{window, insertAfter, x, y, width, height, flags}}) ? TRUE : FALSE;
  });
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
  });
}

HDWP BeginDeferWindowPos(int count) {
  return Guarded<HDWP>(nullptr, [&]() -> HDWP {
    if (count < 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    auto batch = std::make_shared<PositionBatch>();
    batch->changes.reserve(static_cast<std::size_t>(count));
    auto& handles = handset::core::Current().Handles();
    return handset::core::HandleTable::ToHandle<HDWP>(handles.Add(batch));
  });
}

// A window that is not valid fails this call only: the batch stays usable, and what it holds is
// still applied by EndDeferWindowPos.
HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return Guarded<HDWP>(nullptr, [&]() -> HDWP {
    auto found = handset::core::Current().Handles().Find<PositionBatch>(batch);
    if (!found) {
      SetLastError(ERROR_INVALID_DWP_HANDLE);
      return nullptr;
    }
    if (!IsWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    found->Add({window, insertAfter, x, y, width, height, flags});
    return batch;
  });
}

BOOL EndDeferWindowPos(HDWP batch) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = handset::core::Current().Handles().Remove<PositionBatch>(batch);
    if (!found) {
      SetLastError(ERROR_INVALID_DWP_HANDLE);
      return FALSE;
    }
    // Windows destroyed since they were deferred drop out of the batch.
    std::erase_if(found->changes, [](const PositionChange& c) { return !IsWindow(c.window); });
    return Windows().ApplyPositions(std::move(found->changes)) ? TRUE : FALSE;
  });
}

}  // extern "C"
