// BeginPaint and EndPaint: the update rectangle taken out of the window, its frame, caption and
// scroll bars drawn, the background erased (WM_ERASEBKGND), and a device context clipped to what
// needs painting.
#include <windows.h>

#include "core/api_guard.h"
#include "gdi/window_dc.h"
#include "windows/non_client.h"
#include "windows/rects.h"
#include "windows/window_manager.h"

using handset::core::Guarded;
using handset::windows::Windows;

extern "C" {

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  return Guarded<HDC>(nullptr, [&]() -> HDC {
    auto& manager = Windows();
    auto found = manager.Find(window);
    if (!found || !paint) return nullptr;
    bool erase = false;
    auto update = manager.TakeUpdate(found, erase);
    auto area = manager.AreaOf(window);
    if (!area) return nullptr;
    RECT rcPaint = update.value_or(RECT{0, 0, 0, 0});
    auto clip = handset::windows::Intersection(area->clip, handset::windows::Offset(rcPaint, area->origin.x, area->origin.y));
    area->clip = clip.value_or(RECT{0, 0, 0, 0});
    handset::windows::PaintNonClient(window);
    HDC dc = handset::gdi::OpenWindowDC(window, *area);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = rcPaint;
    paint->fErase = erase && dc ? !SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) : FALSE;
    return dc;
  });
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return paint && handset::gdi::CloseWindowDC(window, paint->hdc) ? TRUE : FALSE;
  });
}

}  // extern "C"
