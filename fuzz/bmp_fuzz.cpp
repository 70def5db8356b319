// The bitmap reader behind SHLoadDIBitmap and LoadBitmapW on any bytes, both as a .bmp file and as
// the packed form of a bitmap resource. The input is copied into a buffer of exactly its size, so
// AddressSanitizer catches any read past the end; a bitmap that reads has one pixel per position.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gdi/bmp_reader.h"

namespace {

void Check(const std::optional<handset::gdi::DecodedBitmap>& bitmap) {
  if (!bitmap) return;
  if (bitmap->width <= 0 || bitmap->height <= 0 ||
      bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height))
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  Check(handset::gdi::DecodeBmpFile(std::span<const std::uint8_t>(bytes)));
  Check(handset::gdi::DecodePackedDib(std::span<const std::uint8_t>(bytes)));
  return 0;
}
