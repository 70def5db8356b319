// A region as GDI keeps it: a set of non-overlapping rectangles in y-x bands. Within a band (a
// run of rows) the rectangles share top and bottom and lie left to right without touching; bands
// lie top to bottom, and two bands that touch never have the same spans (they are joined). That
// form is unique for a set of pixels, so two regions are equal exactly when their rectangles are.
#pragma once

#include <vector>

#include <windows.h>

namespace handset::gdi {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& rect);  // an empty or inverted rectangle gives the empty region

  const std::vector<RECT>& Rects() const { return rects_; }
  bool Empty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  // The smallest rectangle around the region; all zero when empty.
  RECT Box() const;
  bool Contains(int x, int y) const;
  bool Touches(const RECT& rect) const;  // any pixel of `rect` inside the region
  void Offset(int dx, int dy);

  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF of two regions (RGN_COPY is a plain copy of `a`).
  static Region Combine(const Region& a, const Region& b, int mode);

  bool operator==(const Region&) const;

 private:
  std::vector<RECT> rects_;
};

}  // namespace handset::gdi
