// Control API of the handset's GDI: the record of what was drawn, with which objects, and the
// count of live GDI objects for leak checks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

namespace handset::gdi {

struct FontInUse {
  HFONT handle = nullptr;
  LONG height = 0;  // lfHeight as created (a stock font's follows the screen's resolution)
  LONG weight = 0;
  BYTE italic = 0;
  BYTE underline = 0;
  BYTE quality = 0;
  std::u16string face;
};

struct PenInUse {
  HPEN handle = nullptr;
  UINT style = PS_SOLID;
  int width = 0;
  COLORREF color = 0;
};

struct BrushInUse {
  HBRUSH handle = nullptr;
  UINT style = BS_SOLID;
  COLORREF color = 0;
};

// One drawing call. Coordinates are those the caller passed (the device context's own).
//   MoveToEx     points = {new position}
//   LineTo       points = {from, to}
//   FillRect     rect; fill = the brush passed
//   FillRgn      rect = the region's bounding box; fill = the brush passed
//   Rectangle    rect
//   SetPixel     points = {the point}; fill.color = the colour set
//   BitBlt       rect = destination (x, y, x + width, y + height); points = {source origin};
//                flags = raster operation
//   DrawTextW    rect as passed; text as passed; flags = format; lines = the lines shown, after
//                prefixes, breaking and ellipsis (DT_CALCRECT measures and is not recorded)
//   ExtTextOutW  points = {origin}; rect (if given); text; flags = options (TextOutW records as
//                ExtTextOutW with no options)
//   DrawIcon     rect = the icon's rectangle (drawn by the window manager's icons)
struct DrawCall {
  std::string function;
  HDC dc = nullptr;
  HWND window = nullptr;  // the window the device context paints, or null
  FontInUse font;         // the objects selected into the device context at the time
  PenInUse pen;
  BrushInUse brush;
  COLORREF textColor = 0;
  COLORREF bkColor = 0;
  int bkMode = 0;
  std::vector<POINT> points;
  RECT rect{};
  std::u16string text;
  std::vector<std::u16string> lines;
  UINT flags = 0;
  BrushInUse fill;
};

// The drawing calls since the handset started or the record was last cleared, oldest first. The
// record keeps the latest 65536 calls.
std::vector<DrawCall> Drawing();
// Only the calls of one function, in order.
std::vector<DrawCall> Drawing(const std::string& function);
void ClearDrawing();

// Live GDI objects made by the programs (stock objects and system brushes are not counted).
struct ObjectCounts {
  std::size_t fonts = 0;
  std::size_t pens = 0;
  std::size_t brushes = 0;
  std::size_t bitmaps = 0;
  std::size_t dcs = 0;
  std::size_t regions = 0;
  std::size_t Total() const { return fonts + pens + brushes + bitmaps + dcs + regions; }
  bool operator==(const ObjectCounts&) const = default;
};
ObjectCounts LiveObjects();

}  // namespace handset::gdi
