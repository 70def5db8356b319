// The drawing of one GDI call: a Cairo context on the surface a device context draws on (the
// screen, or the bitmap selected into a memory device context), with the device context's
// logical coordinates shifted by its origin and everything clipped to its clip rectangle and to the
// program's clip region. Shapes
// are drawn without smoothing, pixel for pixel as GDI does; only text is smoothed.
#pragma once

#include <cairo.h>

#include <optional>
#include <string_view>

#include <windows.h>

#include "gdi/device_context.h"
#include "gdi/real_font.h"
#include "screen/surface.h"

namespace handset::gdi {

class Canvas {
 public:
  explicit Canvas(const DeviceContext& dc);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // False when there is nothing to draw on.
  explicit operator bool() const { return cr_ != nullptr; }
  cairo_surface_t* Surface() const { return surface_.get(); }
  POINT Origin() const { return origin_; }

  // Narrows the clip further to a rectangle in logical coordinates.
  void ClipTo(const RECT& logical);

  // Fills left .. right - 1 by top .. bottom - 1.
  void Fill(const RECT& logical, COLORREF color);
  // A line from `from` up to, but not including, `to`.
  void Line(POINT from, POINT to, const LOGPEN& pen);
  // A line of text whose cell's top-left corner is (x, top).
  void Text(int x, int top, std::u16string_view text, const RealFont& font, COLORREF color);
  // The surface's pixels of `source` from `sourceOrigin` (surface coordinates) onto `dest`.
  void Copy(const RECT& dest, cairo_surface_t* source, POINT sourceOrigin);

  bool SetPixel(int x, int y, COLORREF color);
  std::optional<COLORREF> GetPixel(int x, int y) const;

 private:
  bool Inside(int surfaceX, int surfaceY) const;

  screen::SurfacePtr surface_;
  cairo_t* cr_ = nullptr;
  POINT origin_{0, 0};
  RECT clip_{};  // surface coordinates
  std::optional<Region> clipRegion_;  // surface coordinates, within clip_
};

}  // namespace handset::gdi
