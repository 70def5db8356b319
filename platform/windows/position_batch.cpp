#include "windows/position_batch.h"

#include <algorithm>

namespace handset::windows {

void PositionBatch::Add(const PositionChange& change) {
  auto existing = std::find_if(changes.begin(), changes.end(),
                               [&](const PositionChange& c) { return c.window == change.window; });
  if (existing == changes.end()) {
    changes.push_back(change);
    return;
  }
  // What the later call changes wins; what it leaves alone keeps the earlier call's value.
  UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  if (!(change.flags & SWP_NOMOVE)) {
    existing->x = change.x;
    existing->y = change.y;
  }
  if (!(change.flags & SWP_NOSIZE)) {
    existing->cx = change.cx;
    existing->cy = change.cy;
  }
  if (!(change.flags & SWP_NOZORDER)) existing->insertAfter = change.insertAfter;
  existing->flags = ((existing->flags & change.flags) & keep) | ((existing->flags | change.flags) & ~keep);
}

}  // namespace handset::windows
