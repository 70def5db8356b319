#include "gdi/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/handset.h"
#include "handset/text.h"
#include "screen/screen.h"

namespace handset::gdi {
namespace {

void SetColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Cosmetic dashes: 18 pixels drawn, 6 left out.
bool DashOn(int step) { return step % 24 < 18; }

}  // namespace


Canvas::Canvas(const DeviceContext& dc) : origin_(dc.origin) {
  if (dc.target == DeviceContext::Target::Memory)
    surface_ = dc.bitmapObject ? dc.bitmapObject->surface : nullptr;
  else
    surface_ = core::State<screen::Screen>().SurfaceToDrawOn();
  if (!surface_) return;
  RECT bounds{0, 0, cairo_image_surface_get_width(surface_.get()), cairo_image_surface_get_height(surface_.get())};
  clip_ = dc.clip ? Intersect(*dc.clip, bounds) : bounds;
  cr_ = cairo_create(surface_.get());
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_rectangle(cr_, clip_.left, clip_.top, std::max(0, clip_.right - clip_.left),
                  std::max(0, clip_.bottom - clip_.top));
  cairo_clip(cr_);
  if (dc.clipRegion) {
    // Cairo clips to the union of the region's rectangles: they never overlap, so the winding
    // rule fills each once.
    clipRegion_ = *dc.clipRegion;
    clipRegion_->Offset(origin_.x, origin_.y);
    for (const RECT& r : clipRegion_->Rects())
      cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr_);
  }
  cairo_translate(cr_, origin_.x, origin_.y);
}

Canvas::~Canvas() {
  if (cr_) cairo_destroy(cr_);
}

void Canvas::ClipTo(const RECT& logical) {
  clip_ = Intersect(clip_, {logical.left + origin_.x, logical.top + origin_.y, logical.right + origin_.x,
                            logical.bottom + origin_.y});
  cairo_rectangle(cr_, logical.left, logical.top, logical.right - logical.left, logical.bottom - logical.top);
  cairo_clip(cr_);
}

void Canvas::Fill(const RECT& logical, COLORREF color) {
  if (logical.right <= logical.left || logical.bottom <= logical.top) return;
  SetColor(cr_, color);
  cairo_rectangle(cr_, logical.left, logical.top, logical.right - logical.left, logical.bottom - logical.top);
  cairo_fill(cr_);
}

void Canvas::Line(POINT from, POINT to, const LOGPEN& pen) {
  if (pen.lopnStyle == PS_NULL) return;
  SetColor(cr_, pen.lopnColor);
  if (pen.lopnWidth.x > 1) {
    // Wide pens are geometric: solid, with round ends, centred on the pixels of the line.
    cairo_set_line_width(cr_, pen.lopnWidth.x);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr_, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr_, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr_);
    return;
  }
  // One pixel wide: Bresenham's line, the last point left out, as GDI draws it.
  int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
  int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  POINT p = from;
  for (int step = 0; p.x != to.x || p.y != to.y; ++step) {
    if (pen.lopnStyle != PS_DASH || DashOn(step)) cairo_rectangle(cr_, p.x, p.y, 1, 1);
    int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      p.x += sx;
    }
    if (twice <= dx) {
      error += dx;
      p.y += sy;
    }
  }
  cairo_fill(cr_);
}

void Canvas::Text(int x, int top, std::u16string_view text, const RealFont& font, COLORREF color) {
  SetColor(cr_, color);
  int baseline = top + font.Ascent();
  if (!text.empty()) {
    cairo_save(cr_);
    cairo_set_scaled_font(cr_, font.Scaled());
    cairo_move_to(cr_, x, baseline);
    cairo_show_text(cr_, Utf8(text).c_str());
    cairo_restore(cr_);
  }
  int thickness = std::max(1, font.EmSize() / 14);
  int width = font.Width(text);
  if (font.Underline()) {
    cairo_rectangle(cr_, x, baseline + std::max(1, font.Descent() / 2), width, thickness);
    cairo_fill(cr_);
  }
  if (font.StrikeOut()) {
    cairo_rectangle(cr_, x, baseline - font.Ascent() / 3, width, thickness);
    cairo_fill(cr_);
  }
}

void Canvas::Copy(const RECT& dest, cairo_surface_t* source, POINT sourceOrigin) {
  int width = dest.right - dest.left, height = dest.bottom - dest.top;
  if (width <= 0 || height <= 0) return;
  // The source is copied out first: source and destination may be the same surface.
  auto snapshot = screen::MakeSurface(width, height, 0);
  if (!snapshot) return;
  cairo_t* copy = cairo_create(snapshot.get());
  cairo_set_source_surface(copy, source, -sourceOrigin.x, -sourceOrigin.y);
  cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
  cairo_paint(copy);
  cairo_destroy(copy);
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr_, snapshot.get(), dest.left, dest.top);
  cairo_rectangle(cr_, dest.left, dest.top, width, height);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

bool Canvas::Inside(int surfaceX, int surfaceY) const {
  return surfaceX >= clip_.left && surfaceX < clip_.right && surfaceY >= clip_.top && surfaceY < clip_.bottom &&
         (!clipRegion_ || clipRegion_->Contains(surfaceX, surfaceY));
}

bool Canvas::SetPixel(int x, int y, COLORREF color) {
  if (!Inside(x + origin_.x, y + origin_.y)) return false;
  Fill({x, y, x + 1, y + 1}, color);
  return true;
}

std::optional<COLORREF> Canvas::GetPixel(int x, int y) const {
  int sx = x + origin_.x, sy = y + origin_.y;
  if (!Inside(sx, sy)) return std::nullopt;
  return screen::ReadColor(surface_.get(), sx, sy);
}

}  // namespace handset::gdi
