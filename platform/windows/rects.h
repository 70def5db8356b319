// Rectangle arithmetic of the window system, as IntersectRect and UnionRect compute it.
#pragma once

#include <algorithm>
#include <optional>

#include <windows.h>

namespace handset::windows {

inline bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

inline std::optional<RECT> Intersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (IsEmpty(r)) return std::nullopt;
  return r;
}

inline RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

inline RECT Offset(const RECT& r, LONG dx, LONG dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace handset::windows
