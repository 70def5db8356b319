#include "gdi/bmp_reader.h"

#include <array>
#include <bit>
#include <cstdlib>

namespace handset::gdi {
namespace {

constexpr std::uint64_t kMaxSide = 32767;  // the largest surface Cairo makes
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kInfoHeaderSize = 40;

// Little-endian fields; the caller has checked that they lie inside the data.
std::uint32_t U16(std::span<const std::uint8_t> d, std::size_t at) { return d[at] | (d[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (std::uint32_t{d[at + 3]} << 24);
}

// One colour component under a mask, scaled to 0..255.
std::uint32_t Component(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  std::uint32_t max = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / max;
}

struct Masks {
  std::uint32_t red, green, blue;
};

std::optional<DecodedBitmap> Decode(std::span<const std::uint8_t> dib, std::optional<std::uint64_t> bitsOffset) {
  if (dib.size() < 4) return std::nullopt;
  std::uint64_t headerSize = U32(dib, 0);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size()) return std::nullopt;
  auto width = static_cast<std::int32_t>(U32(dib, 4));
  auto height = static_cast<std::int32_t>(U32(dib, 8));
  std::uint32_t planes = U16(dib, 12), bitCount = U16(dib, 14), compression = U32(dib, 16), colorsUsed = U32(dib, 32);
  std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  if (planes != 1 || width <= 0 || rows == 0 || static_cast<std::uint64_t>(width) > kMaxSide || rows > kMaxSide ||
      width * rows > kMaxPixels)
    return std::nullopt;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return std::nullopt;

  std::uint64_t cursor = headerSize;
  Masks masks = bitCount == 16 ? Masks{0x7C00, 0x03E0, 0x001F} : Masks{0xFF0000, 0x00FF00, 0x0000FF};
  if (compression == kBiBitfields) {
    if (bitCount != 16 && bitCount != 32) return std::nullopt;
    // The masks end the larger headers; after the plain header they follow it.
    std::uint64_t at = headerSize >= kInfoHeaderSize + 12 ? kInfoHeaderSize : cursor;
    if (at + 12 > dib.size()) return std::nullopt;
    masks = {U32(dib, at), U32(dib, at + 4), U32(dib, at + 8)};
    if (at == cursor) cursor += 12;
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }

  std::array<std::uint32_t, 256> palette{};
  std::uint64_t paletteSize = bitCount <= 8 && colorsUsed == 0 ? (std::uint64_t{1} << bitCount) : colorsUsed;
  if (paletteSize > 256 || cursor + paletteSize * 4 > dib.size()) return std::nullopt;
  for (std::uint64_t i = 0; i < paletteSize; ++i) {
    std::size_t at = cursor + i * 4;
    palette[i] = (std::uint32_t{dib[at + 2]} << 16) | (dib[at + 1] << 8) | dib[at];
  }
  cursor += paletteSize * 4;

  std::uint64_t start = bitsOffset.value_or(cursor);
  std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
  if (start > dib.size() || stride * rows > dib.size() - start) return std::nullopt;

  DecodedBitmap bitmap;
  bitmap.width = width;
  bitmap.height = static_cast<int>(rows);
  bitmap.bitsPerPixel = static_cast<int>(bitCount);
  bitmap.pixels.resize(width * rows);
  for (std::uint64_t y = 0; y < rows; ++y) {
    std::uint64_t sourceRow = height < 0 ? y : rows - 1 - y;
    auto row = dib.subspan(start + sourceRow * stride, stride);
    std::uint32_t* out = bitmap.pixels.data() + y * width;
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          std::uint64_t bit = static_cast<std::uint64_t>(x) * bitCount;
          std::uint32_t index = (row[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
          pixel = palette[index];  // an index past the colour table reads as black
          break;
        }
        case 16: {
          std::uint32_t value = U16(row, x * 2);
          pixel = (Component(value, masks.red) << 16) | (Component(value, masks.green) << 8) |
                  Component(value, masks.blue);
          break;
        }
        case 24:
          pixel = (std::uint32_t{row[x * 3 + 2]} << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
          break;
        case 32: {
          std::uint32_t value = U32(row, x * 4);
          pixel = (Component(value, masks.red) << 16) | (Component(value, masks.green) << 8) |
                  Component(value, masks.blue);
          break;
        }
      }
      out[x] = pixel;
    }
  }
  return bitmap;
}

}  // namespace

std::optional<DecodedBitmap> DecodeBmpFile(std::span<const std::uint8_t> file) {
  constexpr std::size_t kFileHeaderSize = 14;
  if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  std::uint64_t bitsOffset = U32(file, 10);
  auto dib = file.subspan(kFileHeaderSize);
  // An offset of 0 is written by careless tools: the rows then follow the colour table.
  if (bitsOffset == 0) return Decode(dib, std::nullopt);
  if (bitsOffset < kFileHeaderSize) return std::nullopt;
  return Decode(dib, bitsOffset - kFileHeaderSize);
}

std::optional<DecodedBitmap> DecodePackedDib(std::span<const std::uint8_t> dib) { return Decode(dib, std::nullopt); }

}  // namespace handset::gdi
