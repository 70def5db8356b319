// A region handle's rectangles for the window manager (RedrawWindow's update region), taken under
// the GDI lock.
#pragma once

#include <optional>

#include <windows.h>

#include "gdi/region.h"

namespace handset::gdi {

// A copy of the region behind `handle`; nothing when it is no region.
std::optional<Region> RegionOf(HRGN handle);

}  // namespace handset::gdi
