#include "windows/scroll_bar.h"

#include <algorithm>
#include <cstdint>

namespace handset::windows {

int ScrollBar::MaxPos() const {
  std::int64_t last = static_cast<std::int64_t>(max) - std::max<std::int64_t>(static_cast<std::int64_t>(page) - 1, 0);
  return static_cast<int>(std::max<std::int64_t>(last, min));
}

void ScrollBar::Apply(const SCROLLINFO& info) {
  exists = true;
  if (info.fMask & SIF_PAGE) page = info.nPage;
  if (info.fMask & SIF_POS) pos = info.nPos;
  if (info.fMask & SIF_RANGE) {
    bool valid = info.nMin <= info.nMax &&
                 static_cast<std::int64_t>(info.nMax) - static_cast<std::int64_t>(info.nMin) < 0x80000000LL;
    min = valid ? info.nMin : 0;
    max = valid ? info.nMax : 0;
  }
  std::int64_t span = static_cast<std::int64_t>(max) - min + 1;
  if (static_cast<std::int64_t>(page) > span) page = static_cast<UINT>(span);
  pos = std::clamp(pos, min, MaxPos());
}

void ScrollBar::Read(SCROLLINFO& info) const {
  if (info.fMask & SIF_RANGE) {
    info.nMin = min;
    info.nMax = max;
  }
  if (info.fMask & SIF_PAGE) info.nPage = page;
  if (info.fMask & SIF_POS) info.nPos = pos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = trackPos;
}

bool ScrollBar::Scrollable() const { return min < MaxPos(); }

ScrollBar::Span ScrollBar::Thumb(LONG length) const {
  double span = static_cast<double>(max) - min + 1;
  LONG thumb = std::min(length, std::max<LONG>(8, static_cast<LONG>(length * (page ? page / span : 0.1))));
  double travel = std::max(1, MaxPos() - min);
  return {static_cast<LONG>((length - thumb) * ((pos - min) / travel)), thumb};
}

int ScrollBar::PositionAt(LONG start, LONG length) const {
  LONG room = length - Thumb(length).length;
  if (room <= 0) return min;
  double share = std::clamp(static_cast<double>(start) / room, 0.0, 1.0);
  return min + static_cast<int>(share * (MaxPos() - min) + 0.5);
}

}  // namespace handset::windows
