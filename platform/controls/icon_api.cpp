// LoadIconW, DestroyIcon and DrawIcon.
#include <windows.h>

#include <cmath>
#include <memory>
#include <optional>

#include "controls/icons.h"
#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/canvas.h"
#include "gdi/gdi_state.h"

using handset::core::Guarded;
using handset::controls::Icon;

namespace {

auto& Handles() { return handset::core::Current().Handles(); }

HICON AddIcon(Icon icon) {
  return handset::core::HandleTable::ToHandle<HICON>(Handles().Add(std::make_shared<Icon>(std::move(icon))));
}

// The system's icons, drawn once per handset: a disc in the colour of its meaning.
struct SystemIcons {
  std::vector<std::pair<WORD, HICON>> icons;

  HICON Get(WORD id) {
    for (auto& [known, icon] : icons)
      if (known == id) return icon;
    std::uint32_t colour;
    switch (id) {
      case 32513:  // IDI_HAND
        colour = 0xD03020;
        break;
      case 32515:  // IDI_EXCLAMATION
        colour = 0xE8B000;
        break;
      case 32514:  // IDI_QUESTION
      case 32516:  // IDI_ASTERISK
        colour = 0x2060D0;
        break;
      case 32512:  // IDI_APPLICATION
        colour = 0x808080;
        break;
      default:
        return nullptr;
    }
    Icon icon;
    icon.width = icon.height = GetSystemMetrics(SM_CXICON);
    icon.shared = true;
    double r = icon.width / 2.0;
    for (int y = 0; y < icon.height; ++y)
      for (int x = 0; x < icon.width; ++x) {
        double dx = x + 0.5 - r, dy = y + 0.5 - r;
        double d = std::sqrt(dx * dx + dy * dy);
        // A white bar in the middle marks it as a sign.
        bool mark = std::abs(dx) < r / 8 && dy > -r * 0.6 && dy < r * 0.6 && !(dy > r * 0.25 && dy < r * 0.4);
        icon.argb.push_back(d > r - 0.5 ? 0 : 0xFF000000u | (mark ? 0xFFFFFF : colour));
      }
    HICON handle = AddIcon(std::move(icon));
    icons.emplace_back(id, handle);
    return handle;
  }
};

}  // namespace

extern "C" {

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return Guarded<HICON>(nullptr, [&]() -> HICON {
    if (!instance) {
      if (!IS_INTRESOURCE(name)) return nullptr;
      return handset::core::State<SystemIcons>().Get(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    }
    HRSRC group = FindResourceW(instance, name, RT_GROUP_ICON);
    if (!group) return nullptr;
    auto groupData = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, group)));
    WORD id = handset::controls::BestIconInGroup(groupData, SizeofResource(instance, group), GetSystemMetrics(SM_CXICON));
    HRSRC image = id ? FindResourceW(instance, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
    if (!image) return nullptr;
    auto imageData = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, image)));
    auto icon = handset::controls::DecodeIconImage(imageData, SizeofResource(instance, image));
    return icon ? AddIcon(std::move(*icon)) : nullptr;
  });
}

BOOL DestroyIcon(HICON icon) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = Handles().Find<Icon>(icon);
    if (!found) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (!found->shared) Handles().Remove<Icon>(icon);
    return TRUE;
  });
}

// Draws the icon's pixels over what is there, leaving its transparent ones alone; recorded as
// DrawIcon with the icon's rectangle.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = Handles().Find<Icon>(icon);
    if (!found) return FALSE;
    auto& gdi = handset::gdi::Gdi();
    std::lock_guard lock(gdi.Mutex());
    auto context = gdi.FindDc(dc);
    if (!context) return FALSE;
    handset::gdi::Canvas canvas(*context);
    if (canvas) {
      for (int row = 0; row < found->height; ++row)
        for (int column = 0; column < found->width; ++column) {
          std::uint32_t pixel = found->argb[static_cast<std::size_t>(row) * found->width + column];
          if (pixel >> 24 < 0x80) continue;
          canvas.SetPixel(x + column, y + row, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
        }
    }
    auto call = handset::gdi::DescribeCall("DrawIcon", dc, *context);
    call.rect = {x, y, x + found->width, y + found->height};
    gdi.Record(std::move(call));
    return TRUE;
  });
}

}  // extern "C"
