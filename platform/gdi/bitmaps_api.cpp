// Bitmaps: made empty, from the caller's bits, or read from a .bmp file.
#include <aygshell.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "files/device_files.h"
#include "gdi/bitmaps.h"
#include "gdi/gdi_state.h"

using handset::core::Guarded;

namespace handset::gdi {
namespace {

constexpr std::uint64_t kMaxSide = 32767;
constexpr std::uintmax_t kMaxFileSize = 256u << 20;

HBITMAP AddBitmap(std::shared_ptr<BitmapObject> bitmap) {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  return core::HandleTable::ToHandle<HBITMAP>(core::Current().Handles().Add(std::move(bitmap)));
}

HBITMAP EmptyBitmap(int width, int height, int bitsPerPixel) {
  auto surface = screen::MakeSurface(width, height, 0);
  return surface ? AddBitmap(std::make_shared<BitmapObject>(width, height, bitsPerPixel, surface)) : nullptr;
}

// A pixel of the caller's rows (device-dependent layout: rows padded to 16 bits, 16-bit pixels
// as 5-6-5, the others blue first) as 0xRRGGBB.
std::uint32_t BitsPixel(const std::uint8_t* row, int x, UINT bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
    case 16: {
      std::uint32_t v = row[x * 2] | (row[x * 2 + 1] << 8);
      return (((v >> 11) & 0x1F) * 255 / 31) << 16 | (((v >> 5) & 0x3F) * 255 / 63) << 8 | (v & 0x1F) * 255 / 31;
    }
    default: {
      const std::uint8_t* p = row + x * static_cast<int>(bitsPerPixel / 8);
      return (std::uint32_t{p[2]} << 16) | (p[1] << 8) | p[0];
    }
  }
}

}  // namespace

HBITMAP NewBitmap(const DecodedBitmap& pixels) {
  auto surface = screen::MakeSurface(pixels.width, pixels.height, 0);
  if (!surface) return nullptr;
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(data + y * stride, pixels.pixels.data() + static_cast<std::size_t>(y) * pixels.width,
                static_cast<std::size_t>(pixels.width) * 4);
  cairo_surface_mark_dirty(surface.get());
  return AddBitmap(std::make_shared<BitmapObject>(pixels.width, pixels.height, pixels.bitsPerPixel, surface));
}

}  // namespace handset::gdi

using namespace handset::gdi;

extern "C" {

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Guarded<HBITMAP>(nullptr, [&]() -> HBITMAP {
    if (width < 0 || height < 0 || planes != 1 || static_cast<std::uint64_t>(width) > kMaxSide ||
        static_cast<std::uint64_t>(height) > kMaxSide)
      return nullptr;
    if (bitsPerPixel != 1 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
    // As on Win32, a bitmap without area is the one-pixel monochrome stock bitmap.
    if (width == 0 || height == 0) return Gdi().DefaultBitmap();
    if (!bits) return EmptyBitmap(width, height, static_cast<int>(bitsPerPixel));
    DecodedBitmap pixels{width, height, static_cast<int>(bitsPerPixel), {}};
    pixels.pixels.resize(static_cast<std::size_t>(width) * height);
    std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel + 15) / 16 * 2;
    auto source = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels.pixels[static_cast<std::size_t>(y) * width + x] = BitsPixel(source + y * stride, x, bitsPerPixel);
    return NewBitmap(pixels);
  });
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Guarded<HBITMAP>(nullptr, [&]() -> HBITMAP {
    if (width < 0 || height < 0 || static_cast<std::uint64_t>(width) > kMaxSide ||
        static_cast<std::uint64_t>(height) > kMaxSide)
      return nullptr;
    int bitsPerPixel = 0;
    {
      auto& gdi = Gdi();
      std::lock_guard lock(gdi.Mutex());
      auto context = gdi.FindDc(dc);
      if (!context) return nullptr;
      // A memory device context makes bitmaps like the one selected into it: a fresh one holds the
      // monochrome stock bitmap, so its compatible bitmaps are monochrome too, as on Win32.
      bitsPerPixel = context->target == DeviceContext::Target::Memory ? context->bitmapObject->bitsPerPixel : 24;
    }
    if (width == 0 || height == 0) return Gdi().DefaultBitmap();
    return EmptyBitmap(width, height, bitsPerPixel);
  });
}

HBITMAP SHLoadDIBitmap(LPCWSTR fileName) {
  return Guarded<HBITMAP>(nullptr, [&]() -> HBITMAP {
    if (!fileName) return nullptr;
    auto file = handset::files::ResolveDevicePath(fileName);
    if (file.error != ERROR_SUCCESS) return nullptr;
    const auto& path = file.path;
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileSize) return nullptr;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto decoded = DecodeBmpFile(bytes);
    return decoded ? NewBitmap(*decoded) : nullptr;
  });
}

}  // extern "C"
