#include "gdi/gdi_state.h"

#include <array>

#include "core/handset.h"
#include "screen/screen.h"

namespace handset::gdi {
namespace {

using core::HandleTable;

// Fixed handle values below the handle table's first (0x100) and above the values that stand for
// system colours in a class background, (HBRUSH)(COLOR_x + 1).
constexpr std::uint32_t kDefaultBitmapValue = 0x3C;
constexpr std::uint32_t kStockBase = 0x40;     // + 4 × stock id
constexpr std::uint32_t kSysBrushBase = 0x90;  // + 2 × colour index

constexpr std::size_t kRecordLimit = 65536;

LOGFONTW MakeLogFont(LONG height, const char16_t* face) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = face[i];
  return font;
}

std::shared_ptr<GdiObject> SolidBrush(COLORREF color) {
  return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, color, 0});
}

std::shared_ptr<GdiObject> Pen(UINT style, COLORREF color) {
  return std::make_shared<PenObject>(LOGPEN{style, {0, 0}, color});
}

void Adjust(GdiObject* object, int by) {
  if (object) object->selections += by;
}

}  // namespace

DWORD ObjectTypeOf(Kind kind) {
  switch (kind) {
    case Kind::Font:
      return OBJ_FONT;
    case Kind::Pen:
      return OBJ_PEN;
    case Kind::Brush:
      return OBJ_BRUSH;
    case Kind::Bitmap:
      return OBJ_BITMAP;
    case Kind::Region:
      return OBJ_REGION;
  }
  return 0;
}

GdiState::GdiState() : mutex_(core::State<screen::Screen>().DrawingLock()) {
  auto stock = [&](int id, std::shared_ptr<GdiObject> object) { AddFixed(kStockBase + 4 * id, std::move(object)); };
  stock(WHITE_BRUSH, SolidBrush(RGB(255, 255, 255)));
  stock(LTGRAY_BRUSH, SolidBrush(RGB(192, 192, 192)));
  stock(GRAY_BRUSH, SolidBrush(RGB(128, 128, 128)));
  stock(DKGRAY_BRUSH, SolidBrush(RGB(64, 64, 64)));
  stock(BLACK_BRUSH, SolidBrush(RGB(0, 0, 0)));
  stock(NULL_BRUSH, std::make_shared<BrushObject>(LOGBRUSH{BS_NULL, 0, 0}));
  stock(WHITE_PEN, Pen(PS_SOLID, RGB(255, 255, 255)));
  stock(BLACK_PEN, Pen(PS_SOLID, RGB(0, 0, 0)));
  stock(NULL_PEN, Pen(PS_NULL, 0));
  stock(SYSTEM_FONT, std::make_shared<FontObject>(MakeLogFont(-12, u"System")));
  stock(DEFAULT_GUI_FONT, std::make_shared<FontObject>(MakeLogFont(-11, u"Tahoma")));
  defaultBitmap_ = static_cast<HBITMAP>(
      AddFixed(kDefaultBitmapValue, std::make_shared<BitmapObject>(1, 1, 1, screen::MakeSurface(1, 1, 0))));
  for (int index = 0; index < C_SYS_COLOR_TYPES; ++index)
    AddFixed(kSysBrushBase + 2 * index, SolidBrush(GetSysColor(index)));
}

HGDIOBJ GdiState::AddFixed(std::uint32_t value, std::shared_ptr<GdiObject> object) {
  object->stock = true;
  fixed_.emplace(value, std::move(object));
  return HandleTable::ToHandle<HGDIOBJ>(value);
}

std::shared_ptr<GdiObject> GdiState::Find(HGDIOBJ object) const {
  std::uint32_t value = HandleTable::ToValue(object);
  if (value == 0) return nullptr;
  if (auto it = fixed_.find(value); it != fixed_.end()) return it->second;
  auto& handles = core::Current().Handles();
  if (auto font = handles.Find<FontObject>(value)) return font;
  if (auto pen = handles.Find<PenObject>(value)) return pen;
  if (auto brush = handles.Find<BrushObject>(value)) return brush;
  if (auto bitmap = handles.Find<BitmapObject>(value)) return bitmap;
  return handles.Find<RegionObject>(value);
}

std::shared_ptr<DeviceContext> GdiState::FindDc(HDC dc) const {
  return core::Current().Handles().Find<DeviceContext>(dc);
}

HGDIOBJ GdiState::Stock(int id) const {
  if (id < 0 || id > DEFAULT_GUI_FONT) return nullptr;
  std::uint32_t value = kStockBase + 4 * static_cast<std::uint32_t>(id);
  return fixed_.contains(value) ? HandleTable::ToHandle<HGDIOBJ>(value) : nullptr;
}

HBRUSH GdiState::SysColorBrush(int index) const {
  index &= ~SYS_COLOR_INDEX_FLAG;
  if (index < 0 || index >= C_SYS_COLOR_TYPES) return nullptr;
  return HandleTable::ToHandle<HBRUSH>(kSysBrushBase + 2 * static_cast<std::uint32_t>(index));
}

LOGFONTW GdiState::Describe(const FontObject& font) const {
  LOGFONTW description = font.logFont;
  if (font.stock) description.lfHeight = description.lfHeight * core::State<screen::Screen>().Dpi() / 96;
  return description;
}

bool GdiState::Delete(HGDIOBJ object) {
  auto found = Find(object);
  if (!found) return false;
  if (found->stock) return true;  // deleting a stock object changes nothing and is no error
  if (found->selections > 0) return false;
  auto& handles = core::Current().Handles();
  switch (found->kind) {
    case Kind::Font:
      return handles.Remove<FontObject>(object) != nullptr;
    case Kind::Pen:
      return handles.Remove<PenObject>(object) != nullptr;
    case Kind::Brush:
      return handles.Remove<BrushObject>(object) != nullptr;
    case Kind::Bitmap:
      return handles.Remove<BitmapObject>(object) != nullptr;
    case Kind::Region:
      return handles.Remove<RegionObject>(object) != nullptr;
  }
  return false;
}

HDC GdiState::NewDc(DeviceContext dc) {
  auto shared = std::make_shared<DeviceContext>(std::move(dc));
  HDC handle = HandleTable::ToHandle<HDC>(core::Current().Handles().Add(shared));
  Select(handle, *shared, Stock(SYSTEM_FONT));
  Select(handle, *shared, Stock(BLACK_PEN));
  Select(handle, *shared, Stock(WHITE_BRUSH));
  if (shared->target == DeviceContext::Target::Memory) Select(handle, *shared, defaultBitmap_);
  return handle;
}

bool GdiState::FreeDc(HDC handle) {
  auto dc = core::Current().Handles().Remove<DeviceContext>(handle);
  if (!dc) return false;
  Adjust(dc->fontObject.get(), -1);
  Adjust(dc->penObject.get(), -1);
  Adjust(dc->brushObject.get(), -1);
  if (dc->bitmapObject) {
    Adjust(dc->bitmapObject.get(), -1);
    dc->bitmapObject->selectedInto = nullptr;
  }
  return true;
}

HGDIOBJ GdiState::Select(HDC handle, DeviceContext& dc, HGDIOBJ object) {
  auto found = Find(object);
  if (!found) return nullptr;
  auto swap = [&](auto& slotHandle, auto& slotObject, auto replacement) -> HGDIOBJ {
    HGDIOBJ previous = slotHandle;
    Adjust(replacement.get(), +1);
    Adjust(slotObject.get(), -1);
    slotObject = std::move(replacement);
    slotHandle = static_cast<std::remove_reference_t<decltype(slotHandle)>>(object);
    return previous;
  };
  switch (found->kind) {
    case Kind::Font:
      return swap(dc.font, dc.fontObject, std::static_pointer_cast<FontObject>(found));
    case Kind::Pen:
      return swap(dc.pen, dc.penObject, std::static_pointer_cast<PenObject>(found));
    case Kind::Brush:
      return swap(dc.brush, dc.brushObject, std::static_pointer_cast<BrushObject>(found));
    case Kind::Bitmap: {
      auto bitmap = std::static_pointer_cast<BitmapObject>(found);
      if (dc.target != DeviceContext::Target::Memory) return nullptr;
      // The stock bitmap may sit in any number of memory device contexts; another bitmap in one.
      if (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != handle) return nullptr;
      if (dc.bitmapObject && !dc.bitmapObject->stock) dc.bitmapObject->selectedInto = nullptr;
      if (!bitmap->stock) bitmap->selectedInto = handle;
      return swap(dc.bitmap, dc.bitmapObject, bitmap);
    }
    case Kind::Region:
      return nullptr;
  }
  return nullptr;
}

void GdiState::SetWindowAreaQuery(WindowAreaQuery query) {
  std::lock_guard lock(queryMutex_);
  windowAreaQuery_ = std::move(query);
}

std::optional<WindowArea> GdiState::AreaOf(HWND window) const {
  WindowAreaQuery query;
  {
    std::lock_guard lock(queryMutex_);
    query = windowAreaQuery_;
  }
  if (!query) return std::nullopt;
  return query(window);
}

void GdiState::Record(DrawCall call) {
  drawing_.push_back(std::move(call));
  if (drawing_.size() > kRecordLimit) drawing_.pop_front();
}

std::vector<DrawCall> GdiState::Drawing() const { return {drawing_.begin(), drawing_.end()}; }

void GdiState::ClearDrawing() { drawing_.clear(); }

GdiState& Gdi() { return core::State<GdiState>(); }

DrawCall DescribeCall(const char* function, HDC handle, const DeviceContext& dc) {
  DrawCall call;
  call.function = function;
  call.dc = handle;
  call.window = dc.window;
  if (dc.fontObject) {
    LOGFONTW font = Gdi().Describe(*dc.fontObject);
    call.font = {dc.font, font.lfHeight, font.lfWeight, font.lfItalic, font.lfUnderline, font.lfQuality,
                 std::u16string(font.lfFaceName)};
  }
  if (dc.penObject) {
    const LOGPEN& pen = dc.penObject->logPen;
    call.pen = {dc.pen, pen.lopnStyle, pen.lopnWidth.x, pen.lopnColor};
  }
  if (dc.brushObject) {
    const LOGBRUSH& brush = dc.brushObject->logBrush;
    call.brush = {dc.brush, brush.lbStyle, brush.lbColor};
  }
  call.textColor = dc.textColor;
  call.bkColor = dc.bkColor;
  call.bkMode = dc.bkMode;
  return call;
}

}  // namespace handset::gdi
