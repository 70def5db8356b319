#include "gdi/region.h"

#include <algorithm>

namespace handset::gdi {
namespace {

struct Span {
  LONG left;
  LONG right;
  bool operator==(const Span&) const = default;
};

// The spans of `rects` that cover the whole band top .. bottom, sorted and joined.
std::vector<Span> SpansIn(const std::vector<RECT>& rects, LONG top, LONG bottom) {
  std::vector<Span> spans;
  for (const RECT& r : rects)
    if (r.top <= top && r.bottom >= bottom) spans.push_back({r.left, r.right});
  std::sort(spans.begin(), spans.end(), [](const Span& x, const Span& y) { return x.left < y.left; });
  std::vector<Span> joined;
  for (const Span& s : spans) {
    if (!joined.empty() && s.left <= joined.back().right)
      joined.back().right = std::max(joined.back().right, s.right);
    else
      joined.push_back(s);
  }
  return joined;
}

bool Covers(const std::vector<Span>& spans, LONG left, LONG right) {
  return std::any_of(spans.begin(), spans.end(), [&](const Span& s) { return s.left <= left && s.right >= right; });
}

bool Keep(int mode, bool inA, bool inB) {
  switch (mode) {
    case RGN_AND:
      return inA && inB;
    case RGN_OR:
      return inA || inB;
    case RGN_XOR:
      return inA != inB;
    case RGN_DIFF:
      return inA && !inB;
    default:
      return inA;
  }
}

// The spans of one band after combining the spans of both regions there.
std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, int mode) {
  std::vector<LONG> edges;
  for (const auto* spans : {&a, &b})
    for (const Span& s : *spans) edges.insert(edges.end(), {s.left, s.right});
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<Span> result;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    LONG left = edges[i], right = edges[i + 1];
    if (!Keep(mode, Covers(a, left, right), Covers(b, left, right))) continue;
    if (!result.empty() && result.back().right == left)
      result.back().right = right;
    else
      result.push_back({left, right});
  }
  return result;
}

}  // namespace

Region::Region(const RECT& rect) {
  if (rect.left < rect.right && rect.top < rect.bottom) rects_.push_back(rect);
}

int Region::Complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Box() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT box = rects_.front();
  for (const RECT& r : rects_) {
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  return box;
}

bool Region::Contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const RECT& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

bool Region::Touches(const RECT& rect) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
    return std::max(r.left, rect.left) < std::min(r.right, rect.right) &&
           std::max(r.top, rect.top) < std::min(r.bottom, rect.bottom);
  });
}

void Region::Offset(int dx, int dy) {
  for (RECT& r : rects_) r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
  if (mode == RGN_COPY) return a;
  std::vector<LONG> rows;
  for (const auto* region : {&a, &b})
    for (const RECT& r : region->rects_) rows.insert(rows.end(), {r.top, r.bottom});
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

  Region result;
  std::vector<Span> previous;  // the spans of the band that ends where the next one starts
  LONG previousBottom = 0;
  std::size_t previousFirst = 0;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    LONG top = rows[i], bottom = rows[i + 1];
    auto spans = CombineSpans(SpansIn(a.rects_, top, bottom), SpansIn(b.rects_, top, bottom), mode);
    if (spans.empty()) {
      previous.clear();
      continue;
    }
    if (!previous.empty() && previousBottom == top && spans == previous) {
      for (std::size_t k = previousFirst; k < result.rects_.size(); ++k) result.rects_[k].bottom = bottom;
    } else {
      previousFirst = result.rects_.size();
      for (const Span& s : spans) result.rects_.push_back({s.left, top, s.right, bottom});
      previous = std::move(spans);
    }
    previousBottom = bottom;
  }
  return result;
}

bool Region::operator==(const Region& other) const {
  return std::equal(rects_.begin(), rects_.end(), other.rects_.begin(), other.rects_.end(),
                    [](const RECT& x, const RECT& y) {
                      return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
                    });
}

}  // namespace handset::gdi
