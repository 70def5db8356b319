// Device contexts: of the screen, of windows and in memory; their text and background settings;
// the device's capabilities.

#include <cmath>
#include <string>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/gdi_state.h"
#include "gdi/gdi_trace.h"
#include "gdi/window_dc.h"
#include "screen/screen.h"
#include "trace/trace.h"

using handset::core::Guarded;

namespace handset::gdi {

void SetWindowAreaQuery(WindowAreaQuery query) { Gdi().SetWindowAreaQuery(std::move(query)); }

HDC OpenWindowDC(HWND window, const WindowArea& area) {
  DeviceContext dc;
  dc.target = DeviceContext::Target::Window;
  dc.window = window;
  dc.origin = area.origin;
  dc.clip = area.clip;
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  return gdi.NewDc(std::move(dc));
}

bool CloseWindowDC(HWND window, HDC dc) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  auto context = gdi.FindDc(dc);
  if (!context || context->target == DeviceContext::Target::Memory || context->window != window) return false;
  return gdi.FreeDc(dc);
}

}  // namespace handset::gdi

using namespace handset::gdi;

namespace {

// Runs `change` on the device context under the lock; `failure` for an unknown handle.
template <class Result, class Change>
Result WithDc(HDC dc, Result failure, Change change) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  auto context = gdi.FindDc(dc);
  return context ? change(*context) : failure;
}

}  // namespace

extern "C" {

HDC GetDC(HWND window) {
  return Guarded<HDC>(nullptr, [&]() -> HDC {
    if (!window) {
      auto& gdi = Gdi();
      std::lock_guard lock(gdi.Mutex());
      return gdi.NewDc(DeviceContext{});
    }
    // Asked before the GDI lock is taken: the window manager answers under its own lock.
    auto area = Gdi().AreaOf(window);
    return area ? OpenWindowDC(window, *area) : nullptr;
  });
}

int ReleaseDC(HWND window, HDC dc) {
  return Guarded<int>(0, [&]() -> int { return CloseWindowDC(window, dc) ? 1 : 0; });
}

HDC CreateCompatibleDC(HDC dc) {
  return Guarded<HDC>(nullptr, [&]() -> HDC {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    if (dc && !gdi.FindDc(dc)) return nullptr;
    DeviceContext memory;
    memory.target = DeviceContext::Target::Memory;
    return gdi.NewDc(std::move(memory));
  });
}

// Only memory device contexts are deleted; those of GetDC go back with ReleaseDC.
BOOL DeleteDC(HDC dc) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    if (!context || context->target != DeviceContext::Target::Memory) return FALSE;
    return gdi.FreeDc(dc);
  });
}

int GetDeviceCaps(HDC dc, int index) {
  return Guarded<int>(0, [&]() -> int {
    {
      auto& gdi = Gdi();
      std::lock_guard lock(gdi.Mutex());
      if (!gdi.FindDc(dc)) return 0;
    }
    auto& screen = handset::core::State<handset::screen::Screen>();
    auto geometry = screen.Current();
    int dpi = screen.Dpi();
    auto millimetres = [&](int pixels) { return static_cast<int>(std::lround(pixels * 25.4 / dpi)); };
    switch (index) {
      case HORZRES:
        return geometry.width;
      case VERTRES:
        return geometry.height;
      case HORZSIZE:
        return millimetres(geometry.width);
      case VERTSIZE:
        return millimetres(geometry.height);
      case LOGPIXELSX:
      case LOGPIXELSY:
        return dpi;
      case BITSPIXEL:
        return 24;
      case PLANES:
        return 1;
      case NUMCOLORS:
        return -1;
      default:
        return 0;
    }
  });
}

int SetBkMode(HDC dc, int mode) {
  return Guarded<int>(0, [&]() -> int {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return WithDc(dc, 0, [&](DeviceContext& context) {
      int previous = context.bkMode;
      context.bkMode = mode;
      if (handset::trace::Enabled()) handset::trace::Record("SetBkMode", {std::to_string(mode)});
      return previous;
    });
  });
}

int GetBkMode(HDC dc) {
  return Guarded<int>(0, [&]() -> int {
    return WithDc(dc, 0, [](DeviceContext& context) { return context.bkMode; });
  });
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    return WithDc(dc, COLORREF{CLR_INVALID}, [&](DeviceContext& context) {
      COLORREF previous = context.bkColor;
      context.bkColor = color;
      if (handset::trace::Enabled()) handset::trace::Record("SetBkColor", {ColorText(color)});
      return previous;
    });
  });
}

COLORREF GetBkColor(HDC dc) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    return WithDc(dc, COLORREF{CLR_INVALID}, [](DeviceContext& context) { return context.bkColor; });
  });
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    return WithDc(dc, COLORREF{CLR_INVALID}, [&](DeviceContext& context) {
      COLORREF previous = context.textColor;
      context.textColor = color;
      if (handset::trace::Enabled()) handset::trace::Record("SetTextColor", {ColorText(color)});
      return previous;
    });
  });
}

COLORREF GetTextColor(HDC dc) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    return WithDc(dc, COLORREF{CLR_INVALID}, [](DeviceContext& context) { return context.textColor; });
  });
}

}  // extern "C"
