// Any bytes as an RT_ICON image and as an RT_GROUP_ICON directory, as LoadIconW reads a module's:
// an icon of the size it says, with a pixel for each point, or none.
#include <cstddef>
#include <cstdint>

#include "controls/icons.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto icon = handset::controls::DecodeIconImage(data, size)) {
    if (icon->width <= 0 || icon->height <= 0 ||
        icon->argb.size() != static_cast<std::size_t>(icon->width) * static_cast<std::size_t>(icon->height))
      __builtin_trap();
  }
  for (int wanted : {16, 32, 48}) handset::controls::BestIconInGroup(data, size, wanted);
  return 0;
}
