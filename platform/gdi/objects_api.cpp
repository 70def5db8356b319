// Creating, selecting, describing and deleting GDI objects.

#include <algorithm>
#include <cstring>
#include <string>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/gdi_state.h"
#include "gdi/gdi_trace.h"
#include "handset/text.h"
#include "trace/trace.h"

using handset::core::Guarded;

namespace {

using namespace handset::gdi;
using handset::core::HandleTable;

template <class T>
HGDIOBJ Add(std::shared_ptr<T> object) {
  return HandleTable::ToHandle<HGDIOBJ>(handset::core::Current().Handles().Add(std::move(object)));
}

// Copies what fits of a description into the caller's buffer; with no buffer, tells its size.
template <class T>
int CopyOut(const T& description, int size, LPVOID buffer) {
  if (!buffer) return sizeof(T);
  if (size <= 0) return 0;
  int count = std::min<int>(size, sizeof(T));
  std::memcpy(buffer, &description, static_cast<std::size_t>(count));
  return count;
}

int BytesPerRow(const BitmapObject& bitmap) { return (bitmap.width * bitmap.bitsPerPixel + 15) / 16 * 2; }

}  // namespace

extern "C" {

HGDIOBJ GetStockObject(int object) {
  return Guarded<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    return gdi.Stock(object);
  });
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  return Guarded<HFONT>(nullptr, [&]() -> HFONT {
    if (!font) return nullptr;
    LOGFONTW description = *font;
    // The face is a fixed array of 32 units: a name that fills it is cut to 31 and terminated, and
    // nothing after the terminator is kept.
    description.lfFaceName[LF_FACESIZE - 1] = 0;
    std::size_t length = std::char_traits<char16_t>::length(description.lfFaceName);
    std::fill(description.lfFaceName + length, description.lfFaceName + LF_FACESIZE, u'\0');
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto handle = static_cast<HFONT>(Add(std::make_shared<FontObject>(description)));
    if (handset::trace::Enabled())
      handset::trace::Record("CreateFontIndirectW", {std::to_string(description.lfHeight),
                                                     std::to_string(description.lfWeight),
                                                     handset::Utf8(description.lfFaceName), HandleText(handle)});
    return handle;
  });
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  return Guarded<HPEN>(nullptr, [&]() -> HPEN {
    if (!pen || (pen->lopnStyle != PS_SOLID && pen->lopnStyle != PS_DASH && pen->lopnStyle != PS_NULL)) return nullptr;
    LOGPEN description = *pen;
    description.lopnWidth = {std::max<LONG>(0, pen->lopnWidth.x), 0};
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto handle = static_cast<HPEN>(Add(std::make_shared<PenObject>(description)));
    if (handset::trace::Enabled())
      handset::trace::Record("CreatePen", {std::to_string(description.lopnStyle), std::to_string(description.lopnWidth.x),
                                           ColorText(description.lopnColor), HandleText(handle)});
    return handle;
  });
}

HPEN CreatePen(int style, int width, COLORREF color) {
  return Guarded<HPEN>(nullptr, [&]() -> HPEN {
    LOGPEN pen{static_cast<UINT>(style), {width, 0}, color};
    return CreatePenIndirect(&pen);
  });
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return Guarded<HBRUSH>(nullptr, [&]() -> HBRUSH {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto handle = static_cast<HBRUSH>(Add(std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, color, 0})));
    if (handset::trace::Enabled()) handset::trace::Record("CreateSolidBrush", {ColorText(color), HandleText(handle)});
    return handle;
  });
}

// Selecting a region makes a copy of it the clip, as SelectClipRgn, and answers the clip's
// complexity in place of a previous object.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  return Guarded<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
    if (GetObjectType(object) == OBJ_REGION)
      return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(SelectClipRgn(dc, static_cast<HRGN>(object))));
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    auto found = gdi.Find(object);
    if (!context || !found) return nullptr;
    HGDIOBJ previous = gdi.Select(dc, *context, object);
    if (handset::trace::Enabled())
      handset::trace::Record("SelectObject", {KindText(found->kind), HandleText(object), HandleText(previous)});
    return previous;
  });
}

BOOL DeleteObject(HGDIOBJ object) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto found = gdi.Find(object);
    BOOL deleted = gdi.Delete(object);
    if (found && handset::trace::Enabled())
      handset::trace::Record("DeleteObject", {KindText(found->kind), HandleText(object), deleted ? "1" : "0"});
    return deleted;
  });
}

DWORD GetObjectType(HGDIOBJ object) {
  return Guarded<DWORD>(0, [&]() -> DWORD {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    if (auto found = gdi.Find(object)) return ObjectTypeOf(found->kind);
    if (auto dc = gdi.FindDc(static_cast<HDC>(object)))
      return dc->target == DeviceContext::Target::Memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
  });
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  return Guarded<int>(0, [&]() -> int {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto found = gdi.Find(object);
    if (!found) return 0;
    switch (found->kind) {
      case Kind::Font:
        return CopyOut(gdi.Describe(static_cast<FontObject&>(*found)), size, buffer);
      case Kind::Pen:
        return CopyOut(static_cast<PenObject&>(*found).logPen, size, buffer);
      case Kind::Brush:
        return CopyOut(static_cast<BrushObject&>(*found).logBrush, size, buffer);
      case Kind::Bitmap: {
        auto& bitmap = static_cast<BitmapObject&>(*found);
        BITMAP description{0, bitmap.width, bitmap.height, BytesPerRow(bitmap), 1,
                           static_cast<WORD>(bitmap.bitsPerPixel), nullptr};
        return CopyOut(description, size, buffer);
      }
      case Kind::Region:  // a region has no description to give
        return 0;
    }
    return 0;
  });
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  return Guarded<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
    auto& gdi = Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    if (!context) return nullptr;
    switch (type) {
      case OBJ_FONT:
        return context->font;
      case OBJ_PEN:
        return context->pen;
      case OBJ_BRUSH:
        return context->brush;
      case OBJ_BITMAP:
        return context->bitmap;
      default:
        return nullptr;
    }
  });
}

}  // extern "C"
