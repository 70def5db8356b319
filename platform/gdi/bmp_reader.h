// Reading device-independent bitmaps: .bmp files and the packed form that RT_BITMAP resources
// hold. Uncompressed rows of 1, 4, 8, 16, 24 and 32 bits per pixel (16 and 32 also with colour
// masks), bottom-up or top-down. Whatever the bytes say, nothing is read outside the data given:
// a header, colour table or row that would reach past the end makes the whole bitmap unreadable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace handset::gdi {

struct DecodedBitmap {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;               // as stored
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, top row first
};

std::optional<DecodedBitmap> DecodeBmpFile(std::span<const std::uint8_t> file);
std::optional<DecodedBitmap> DecodePackedDib(std::span<const std::uint8_t> dib);

}  // namespace handset::gdi
