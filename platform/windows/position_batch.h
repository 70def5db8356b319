// The batch behind an HDWP: the changes DeferWindowPos collects until EndDeferWindowPos applies
// them together. A window named twice keeps one entry, the later call's fields merged into it.
#pragma once

#include <vector>

#include "windows/window_manager.h"

namespace handset::windows {

struct PositionBatch {
  std::vector<PositionChange> changes;

  void Add(const PositionChange& change);
};

}  // namespace handset::windows
