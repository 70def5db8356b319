#include <cstring>
#include <optional>

#include "controls/icons.h"
#include "gdi/bmp_reader.h"

namespace handset::controls {
namespace {

std::uint32_t Read32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24); }
std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

std::optional<Icon> DecodeIconImage(const std::uint8_t* data, std::size_t size) {
  if (size < 40) return std::nullopt;
  auto width = static_cast<std::int32_t>(Read32(data + 4));
  auto doubled = static_cast<std::int32_t>(Read32(data + 8));
  std::uint16_t bits = Read16(data + 14);
  if (width <= 0 || width > 256 || doubled <= 0 || doubled > 512 || doubled % 2) return std::nullopt;
  int height = doubled / 2;
  // The colour part alone, as a bitmap of the icon's own height.
  std::vector<std::uint8_t> colours(data, data + size);
  std::int32_t half = height;
  std::memcpy(colours.data() + 8, &half, 4);
  std::memset(colours.data() + 20, 0, 4);  // biSizeImage: computed from the header
  auto decoded = gdi::DecodePackedDib(colours);
  if (!decoded) return std::nullopt;

  // The mask follows the colour rows: one bit per pixel, rows padded to 32 bits, bottom row first.
  std::uint32_t headerSize = Read32(data);
  std::uint32_t paletteEntries = Read32(data + 32);
  if (bits <= 8 && !paletteEntries) paletteEntries = 1u << bits;
  std::size_t colourStride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  std::size_t maskStart = headerSize + paletteEntries * 4 + colourStride * static_cast<std::size_t>(height);
  bool hasMask = maskStart + maskStride * static_cast<std::size_t>(height) <= size;
  bool hasAlpha = false;
  if (bits == 32) {
    std::size_t colourStart = headerSize;
    for (int y = 0; y < height && !hasAlpha; ++y)
      for (int x = 0; x < width; ++x)
        if (data[colourStart + static_cast<std::size_t>(y) * colourStride + static_cast<std::size_t>(x) * 4 + 3]) {
          hasAlpha = true;
          break;
        }
  }

  Icon icon;
  icon.width = width;
  icon.height = height;
  icon.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    int sourceRow = height - 1 - y;
    for (int x = 0; x < width; ++x) {
      std::uint32_t rgb = decoded->pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
      std::uint32_t alpha = 0xFF;
      if (hasAlpha) {
        alpha = data[headerSize + static_cast<std::size_t>(sourceRow) * colourStride + static_cast<std::size_t>(x) * 4 + 3];
      } else if (hasMask) {
        std::uint8_t maskByte = data[maskStart + static_cast<std::size_t>(sourceRow) * maskStride + x / 8];
        alpha = (maskByte >> (7 - x % 8)) & 1 ? 0 : 0xFF;
      }
      icon.argb[static_cast<std::size_t>(y) * width + x] = (alpha << 24) | rgb;
    }
  }
  return icon;
}

WORD BestIconInGroup(const std::uint8_t* data, std::size_t size, int wanted) {
  // GRPICONDIR: reserved, type 1, count; then 14-byte entries ending with the RT_ICON id.
  if (size < 6 || Read16(data + 2) != 1) return 0;
  std::size_t count = Read16(data + 4);
  WORD best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < count && 6 + (i + 1) * 14 <= size; ++i) {
    const std::uint8_t* entry = data + 6 + i * 14;
    int side = entry[0] ? entry[0] : 256;
    int distance = side >= wanted ? side - wanted : (wanted - side) * 2;  // larger ones shrink better
    if (distance < bestDistance) {
      bestDistance = distance;
      best = Read16(entry + 12);
    }
  }
  return best;
}

}  // namespace handset::controls
