// Icons: the pixels of an RT_GROUP_ICON / RT_ICON resource (or of one of the system's own icons),
// with their transparency, behind an HICON. A module's icon is a new object for every LoadIconW
// and lives until DestroyIcon; the system's icons (LoadIconW with no instance) are shared and
// never destroyed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <windows.h>

namespace handset::controls {

struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // top row first; alpha 0 is transparent
  bool shared = false;
};

// The icon image of an RT_ICON resource: a device-independent bitmap of twice the icon's height
// (colours, then the one-bit mask) or a PNG image. None when the bytes are not one.
std::optional<Icon> DecodeIconImage(const std::uint8_t* data, std::size_t size);

// The RT_ICON id of a group's entry closest to `wanted` pixels, or 0.
WORD BestIconInGroup(const std::uint8_t* data, std::size_t size, int wanted);

}  // namespace handset::controls
