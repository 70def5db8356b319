// Region objects: made from rectangles, combined, moved, asked, compared and filled. Regions are
// GDI objects like brushes: DeleteObject frees them and the handset counts the live ones.

#include <algorithm>
#include <string>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/canvas.h"
#include "gdi/gdi_state.h"
#include "gdi/gdi_trace.h"
#include "gdi/region_handles.h"
#include "trace/trace.h"

using handset::core::Guarded;
using namespace handset::gdi;

namespace handset::gdi {

std::optional<Region> RegionOf(HRGN handle) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  auto found = gdi.Find(handle);
  if (!found || found->kind != Kind::Region) return std::nullopt;
  return static_cast<RegionObject&>(*found).region;
}

}  // namespace handset::gdi

namespace {

RegionObject* FindRegion(GdiState& gdi, HRGN handle) {
  auto found = gdi.Find(handle);
  return found && found->kind == Kind::Region ? static_cast<RegionObject*>(found.get()) : nullptr;
}

// Runs `use` on the region under the lock; `failure` (with ERROR_INVALID_HANDLE) for a handle that
// is no region.
template <class Result, class Use>
Result WithRegion(HRGN handle, Result failure, Use use) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  RegionObject* region = FindRegion(gdi, handle);
  if (!region) {
    SetLastError(ERROR_INVALID_HANDLE);
    return failure;
  }
  return use(region->region);
}

}  // namespace

extern "C" {

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return Guarded<HRGN>(nullptr, [&]() -> HRGN {
    // Corners given the other way round make the same rectangle, as on Win32.
    RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto handle = handset::core::HandleTable::ToHandle<HRGN>(
        handset::core::Current().Handles().Add(std::make_shared<RegionObject>(Region(rect))));
    if (handset::trace::Enabled())
      handset::trace::Record("CreateRectRgn", {std::to_string(rect.left), std::to_string(rect.top),
                                               std::to_string(rect.right), std::to_string(rect.bottom),
                                               HandleText(handle)});
    return handle;
  });
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return Guarded<HRGN>(nullptr, [&]() -> HRGN {
    if (!rect) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
  });
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    return WithRegion(region, FALSE, [&](Region& r) {
      r = Region(rect);
      return TRUE;
    });
  });
}

int CombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode) {
  return Guarded<int>(ERROR, [&]() -> int {
    if (mode < RGN_AND || mode > RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    RegionObject* target = FindRegion(gdi, dest);
    RegionObject* first = FindRegion(gdi, source1);
    RegionObject* second = mode == RGN_COPY ? first : FindRegion(gdi, source2);
    if (!target || !first || !second) {
      SetLastError(ERROR_INVALID_HANDLE);
      return ERROR;
    }
    // The three handles may be the same region: the result is made before it replaces the target.
    target->region = Region::Combine(first->region, second->region, mode);
    return target->region.Complexity();
  });
}

int GetRgnBox(HRGN region, LPRECT rect) {
  return Guarded<int>(0, [&]() -> int {
    return WithRegion(region, 0, [&](Region& r) {
      if (rect) *rect = r.Box();
      return r.Complexity();
    });
  });
}

int OffsetRgn(HRGN region, int dx, int dy) {
  return Guarded<int>(ERROR, [&]() -> int {
    return WithRegion(region, int{ERROR}, [&](Region& r) {
      r.Offset(dx, dy);
      return r.Complexity();
    });
  });
}

BOOL PtInRegion(HRGN region, int x, int y) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return WithRegion(region, FALSE, [&](Region& r) { return r.Contains(x, y) ? TRUE : FALSE; });
  });
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!rect) return FALSE;
    // A rectangle given with its corners the other way round is asked as the same rectangle.
    RECT asked{std::min(rect->left, rect->right), std::min(rect->top, rect->bottom), std::max(rect->left, rect->right),
               std::max(rect->top, rect->bottom)};
    return WithRegion(region, FALSE, [&](Region& r) { return r.Touches(asked) ? TRUE : FALSE; });
  });
}

BOOL EqualRgn(HRGN region1, HRGN region2) {
  return Guarded<BOOL>(ERROR, [&]() -> BOOL {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    RegionObject* first = FindRegion(gdi, region1);
    RegionObject* second = FindRegion(gdi, region2);
    if (!first || !second) {
      SetLastError(ERROR_INVALID_HANDLE);
      return ERROR;
    }
    return first->region == second->region ? TRUE : FALSE;
  });
}

}  // extern "C"
