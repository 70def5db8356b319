// LoadBitmapW: a module's RT_BITMAP resource, a packed device-independent bitmap (the .bmp file
// without its file header, as the resource compiler stores it), read within the resource's size.
#include <cstdint>
#include <span>

#include <windows.h>

#include "core/api_guard.h"
#include "gdi/bitmaps.h"
#include "gdi/bmp_reader.h"

using handset::core::Guarded;

extern "C" HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  return Guarded<HBITMAP>(nullptr, [&]() -> HBITMAP {
    // The system's own bitmaps (a null instance) are not part of the handset.
    if (!instance) return nullptr;
    HRSRC resource = FindResourceW(instance, name, RT_BITMAP);
    if (!resource) return nullptr;
    auto data = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, resource)));
    if (!data) return nullptr;
    auto decoded = handset::gdi::DecodePackedDib(std::span(data, SizeofResource(instance, resource)));
    return decoded ? handset::gdi::NewBitmap(*decoded) : nullptr;
  });
}
