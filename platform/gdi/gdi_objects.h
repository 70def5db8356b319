// The records behind GDI handles. Each kind is its own type in the handle table, so the handset
// counts live fonts, pens, brushes, bitmaps, regions and device contexts separately. Stock objects and the
// system-colour brushes are never in the table: they have fixed handle values, live as long as the
// handset and are not counted.
#pragma once

#include <memory>

#include <windows.h>

#include "gdi/region.h"
#include "screen/surface.h"

namespace handset::gdi {

enum class Kind { Font, Pen, Brush, Bitmap, Region };

struct GdiObject {
  explicit GdiObject(Kind k) : kind(k) {}
  virtual ~GdiObject() = default;
  const Kind kind;
  bool stock = false;
  int selections = 0;  // device contexts that have it selected; such an object is not deleted
};

struct FontObject : GdiObject {
  explicit FontObject(const LOGFONTW& description) : GdiObject(Kind::Font), logFont(description) {}
  LOGFONTW logFont;
};

struct PenObject : GdiObject {
  explicit PenObject(const LOGPEN& description) : GdiObject(Kind::Pen), logPen(description) {}
  LOGPEN logPen;
};

struct BrushObject : GdiObject {
  explicit BrushObject(const LOGBRUSH& description) : GdiObject(Kind::Brush), logBrush(description) {}
  LOGBRUSH logBrush;
};

struct BitmapObject : GdiObject {
  BitmapObject(int w, int h, int bpp, screen::SurfacePtr pixels)
      : GdiObject(Kind::Bitmap), width(w), height(h), bitsPerPixel(bpp), surface(std::move(pixels)) {}
  int width;
  int height;
  int bitsPerPixel;  // as the bitmap was described; the pixels themselves are always 24-bit colour
  screen::SurfacePtr surface;
  HDC selectedInto = nullptr;  // a bitmap is selected into one memory device context at a time
};

// A region is never selected into a slot: SelectObject and SelectClipRgn copy it into the clip.
struct RegionObject : GdiObject {
  explicit RegionObject(Region r) : GdiObject(Kind::Region), region(std::move(r)) {}
  Region region;
};

// OBJ_FONT, OBJ_PEN, ... of a kind.
DWORD ObjectTypeOf(Kind kind);

}  // namespace handset::gdi
