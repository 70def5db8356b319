// What GET /state tells of the handset, read on the host thread: the screen, the modal windows, every
// visible window, the soft keys, the input panel, the LED, the battery and the debug lines.
#pragma once

#include <cstddef>

#include "host_context.h"

namespace vlmhost::live {

// Each visible window: {"class", "title" (of its top-level window), "template", "id", "text",
// "enabled", "rect": [left, top, right, bottom] on the screen, "depth" (0 for a top-level one)},
// topmost first, each followed by its children. The debug lines from number `debugSince` on.
Json DescribeHandset(std::size_t debugSince);

}  // namespace vlmhost::live
