// Drawing shapes, regions and pixels, and copying between device contexts.

#include <algorithm>
#include <utility>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/canvas.h"
#include "gdi/gdi_state.h"
#include "screen/screen.h"

using handset::core::Guarded;
using namespace handset::gdi;

namespace {

// The brush FillRect paints with: a brush handle, or a system colour given as (HBRUSH)(COLOR_x + 1)
// with or without the colour-index flag, as a window class's background may be.
std::optional<BrushInUse> ResolveBrush(GdiState& gdi, HBRUSH brush) {
  std::uint32_t colorPlusOne = handset::core::HandleTable::ToValue(brush) & ~std::uint32_t{SYS_COLOR_INDEX_FLAG};
  if (colorPlusOne >= 1 && colorPlusOne <= C_SYS_COLOR_TYPES)
    return BrushInUse{brush, BS_SOLID, GetSysColor(static_cast<int>(colorPlusOne - 1))};
  auto found = gdi.Find(brush);
  if (!found || found->kind != Kind::Brush) return std::nullopt;
  const LOGBRUSH& description = static_cast<BrushObject&>(*found).logBrush;
  return BrushInUse{brush, description.lbStyle, description.lbColor};
}

// The device context, under the GDI lock, for a drawing call.
struct DrawingCall {
  explicit DrawingCall(HDC handle) : gdi(Gdi()), lock(gdi.Mutex()), dc(handle), context(gdi.FindDc(handle)) {}
  explicit operator bool() const { return context != nullptr; }
  DrawCall Describe(const char* function) const { return DescribeCall(function, dc, *context); }

  GdiState& gdi;
  std::lock_guard<std::mutex> lock;
  HDC dc;
  std::shared_ptr<DeviceContext> context;
};

}  // namespace

extern "C" {

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return Guarded<int>(0, [&]() -> int {
    DrawingCall drawing(dc);
    if (!drawing || !rect) return 0;
    auto fill = ResolveBrush(drawing.gdi, brush);
    if (!fill) return 0;
    Canvas canvas(*drawing.context);
    if (canvas && fill->style != BS_NULL) canvas.Fill(*rect, fill->color);
    DrawCall call = drawing.Describe("FillRect");
    call.rect = *rect;
    call.fill = *fill;
    drawing.gdi.Record(std::move(call));
    return 1;
  });
}

// The region's coordinates are the device context's own, as FillRect's rectangle.
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DrawingCall drawing(dc);
    if (!drawing) return FALSE;
    auto found = drawing.gdi.Find(region);
    auto fill = ResolveBrush(drawing.gdi, brush);
    if (!found || found->kind != Kind::Region || !fill) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    const Region& shape = static_cast<RegionObject&>(*found).region;
    Canvas canvas(*drawing.context);
    if (canvas && fill->style != BS_NULL)
      for (const RECT& r : shape.Rects()) canvas.Fill(r, fill->color);
    DrawCall call = drawing.Describe("FillRgn");
    call.rect = shape.Box();
    call.fill = *fill;
    drawing.gdi.Record(std::move(call));
    return TRUE;
  });
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DrawingCall drawing(dc);
    if (!drawing) return FALSE;
    if (previous) *previous = drawing.context->position;
    drawing.context->position = {x, y};
    DrawCall call = drawing.Describe("MoveToEx");
    call.points = {{x, y}};
    drawing.gdi.Record(std::move(call));
    return TRUE;
  });
}

BOOL LineTo(HDC dc, int x, int y) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DrawingCall drawing(dc);
    if (!drawing) return FALSE;
    POINT from = drawing.context->position;
    Canvas canvas(*drawing.context);
    if (canvas) canvas.Line(from, {x, y}, drawing.context->penObject->logPen);
    drawing.context->position = {x, y};
    DrawCall call = drawing.Describe("LineTo");
    call.points = {from, {x, y}};
    drawing.gdi.Record(std::move(call));
    return TRUE;
  });
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DrawingCall drawing(dc);
    if (!drawing) return FALSE;
    DrawCall call = drawing.Describe("Rectangle");
    call.rect = {left, top, right, bottom};
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const LOGPEN& pen = drawing.context->penObject->logPen;
    const LOGBRUSH& brush = drawing.context->brushObject->logBrush;
    Canvas canvas(*drawing.context);
    if (canvas && right - left >= 2 && bottom - top >= 2) {
      // The frame runs along the inside of left .. right - 1 by top .. bottom - 1; without a pen
      // the inside still stops short of the right and bottom edges.
      bool framed = pen.lopnStyle != PS_NULL;
      if (brush.lbStyle != BS_NULL)
        canvas.Fill(framed ? RECT{left + 1, top + 1, right - 1, bottom - 1} : RECT{left, top, right - 1, bottom - 1},
                    brush.lbColor);
      if (framed) {
        POINT corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
        for (int i = 0; i < 4; ++i) canvas.Line(corners[i], corners[(i + 1) % 4], pen);
      }
    }
    drawing.gdi.Record(std::move(call));
    return TRUE;
  });
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    DrawingCall drawing(dc);
    if (!drawing) return CLR_INVALID;
    Canvas canvas(*drawing.context);
    if (!canvas || !canvas.SetPixel(x, y, color)) return CLR_INVALID;
    DrawCall call = drawing.Describe("SetPixel");
    call.points = {{x, y}};
    call.fill.color = color;
    drawing.gdi.Record(std::move(call));
    return color & 0xFFFFFF;
  });
}

COLORREF GetPixel(HDC dc, int x, int y) {
  return Guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    DrawingCall drawing(dc);
    if (!drawing) return CLR_INVALID;
    Canvas canvas(*drawing.context);
    if (!canvas) return CLR_INVALID;
    return canvas.GetPixel(x, y).value_or(CLR_INVALID);
  });
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DrawingCall drawing(dest);
    if (!drawing) return FALSE;
    if (rop != SRCCOPY && rop != BLACKNESS && rop != WHITENESS && rop != PATCOPY) return FALSE;
    std::shared_ptr<DeviceContext> from;
    if (rop == SRCCOPY && !(from = drawing.gdi.FindDc(source))) return FALSE;
    RECT target{x, y, x + width, y + height};
    Canvas canvas(*drawing.context);
    if (canvas) {
      if (rop == SRCCOPY) {
        Canvas sourceCanvas(*from);
        if (sourceCanvas)
          canvas.Copy(target, sourceCanvas.Surface(),
                      {sourceX + sourceCanvas.Origin().x, sourceY + sourceCanvas.Origin().y});
      } else if (rop == PATCOPY) {
        const LOGBRUSH& brush = drawing.context->brushObject->logBrush;
        if (brush.lbStyle != BS_NULL) canvas.Fill(target, brush.lbColor);
      } else {
        canvas.Fill(target, rop == BLACKNESS ? RGB(0, 0, 0) : RGB(255, 255, 255));
      }
    }
    DrawCall call = drawing.Describe("BitBlt");
    call.rect = target;
    call.points = {{sourceX, sourceY}};
    call.flags = rop;
    drawing.gdi.Record(std::move(call));
    return TRUE;
  });
}

}  // extern "C"
