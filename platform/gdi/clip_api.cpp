// The program's clip of a device context: SelectClipRgn, GetClipRgn, IntersectClipRect and
// ExcludeClipRect. The clip is kept in the device context's own coordinates (device and logical
// units are the same on the handset: a device context only moves its origin) and drawing is held to
// it within the area the device context already has (a window's client area, BeginPaint's update
// rectangle). Windows CE has no ExtSelectClipRgn, so none is offered; the two rectangle calls do
// what it would do with RGN_AND and RGN_DIFF. Every call answers the complexity of the clip that
// results, that area included, as Win32 does.

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/gdi_state.h"
#include "screen/screen.h"

using handset::core::Guarded;
using namespace handset::gdi;

namespace {

// Where the device context may draw before any clip of the program's, in its own coordinates.
Region DefaultArea(const DeviceContext& dc) {
  if (dc.clip) {
    const RECT& c = *dc.clip;
    return Region({c.left - dc.origin.x, c.top - dc.origin.y, c.right - dc.origin.x, c.bottom - dc.origin.y});
  }
  if (dc.target == DeviceContext::Target::Memory)
    return dc.bitmapObject ? Region({0, 0, dc.bitmapObject->width, dc.bitmapObject->height}) : Region();
  auto geometry = handset::core::State<handset::screen::Screen>().Current();
  return Region({0, 0, geometry.width, geometry.height});
}

int Complexity(const DeviceContext& dc) {
  Region area = DefaultArea(dc);
  return dc.clipRegion ? Region::Combine(*dc.clipRegion, area, RGN_AND).Complexity() : area.Complexity();
}

// Changes the clip by a rectangle in the way of CombineRgn's `mode`, starting from the default
// area when the program has set no clip yet.
int CombineClip(HDC dc, RECT rect, int mode) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  auto context = gdi.FindDc(dc);
  if (!context) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  Region current = context->clipRegion ? *context->clipRegion : DefaultArea(*context);
  context->clipRegion = Region::Combine(current, Region(rect), mode);
  return Complexity(*context);
}

}  // namespace

extern "C" {

// A copy of the region becomes the clip; NULL removes the program's clip.
int SelectClipRgn(HDC dc, HRGN region) {
  return Guarded<int>(ERROR, [&]() -> int {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    auto found = region ? gdi.Find(region) : nullptr;
    if (!context || (region && (!found || found->kind != Kind::Region))) {
      SetLastError(ERROR_INVALID_HANDLE);
      return ERROR;
    }
    if (found)
      context->clipRegion = static_cast<RegionObject&>(*found).region;
    else
      context->clipRegion.reset();
    return Complexity(*context);
  });
}

// 1 and a copy of the clip in `region`; 0 when the program has set none; -1 on a bad handle.
int GetClipRgn(HDC dc, HRGN region) {
  return Guarded<int>(-1, [&]() -> int {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    auto found = gdi.Find(region);
    if (!context || !found || found->kind != Kind::Region) {
      SetLastError(ERROR_INVALID_HANDLE);
      return -1;
    }
    if (!context->clipRegion) return 0;
    static_cast<RegionObject&>(*found).region = *context->clipRegion;
    return 1;
  });
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return Guarded<int>(ERROR, [&]() -> int { return CombineClip(dc, {left, top, right, bottom}, RGN_AND); });
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return Guarded<int>(ERROR, [&]() -> int { return CombineClip(dc, {left, top, right, bottom}, RGN_DIFF); });
}

}  // extern "C"
