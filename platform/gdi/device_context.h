// A device context: what it draws on, where its origin and clip lie on that surface, the objects
// selected into it and its text and background settings.
#pragma once

#include <memory>
#include <optional>

#include <windows.h>

#include "gdi/gdi_objects.h"

namespace handset::gdi {

struct DeviceContext {
  enum class Target { Screen, Window, Memory };

  Target target = Target::Screen;
  HWND window = nullptr;       // the window a window device context paints
  POINT origin{0, 0};          // where logical (0, 0) lies on the surface
  std::optional<RECT> clip;    // surface coordinates; none: the whole surface
  // The program's own clip (SelectClipRgn, IntersectClipRect, ...) in the device context's
  // coordinates, within `clip`; none: only `clip`. GetClipRgn answers this one, not the clip of
  // BeginPaint.
  std::optional<Region> clipRegion;

  HFONT font = nullptr;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HBITMAP bitmap = nullptr;  // memory device contexts only
  std::shared_ptr<FontObject> fontObject;
  std::shared_ptr<PenObject> penObject;
  std::shared_ptr<BrushObject> brushObject;
  std::shared_ptr<BitmapObject> bitmapObject;

  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  POINT position{0, 0};  // the current position of MoveToEx / LineTo
};

}  // namespace handset::gdi
