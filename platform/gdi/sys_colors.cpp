// The system colours of the handset's default look: white windows and dialogs, black text, a blue
// highlight. Windows CE puts a flag (SYS_COLOR_INDEX_FLAG) into its colour indexes; GetSysColor
// takes an index with or without it.

#include <array>

#include <windows.h>

#include "core/api_guard.h"
#include "gdi/gdi_state.h"

using handset::core::Guarded;

namespace {

constexpr std::array<COLORREF, C_SYS_COLOR_TYPES> kSysColors{
    RGB(206, 206, 206),  // COLOR_SCROLLBAR
    RGB(0, 58, 128),     // COLOR_BACKGROUND
    RGB(0, 90, 200),     // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 90, 200),     // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(214, 211, 206),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(255, 255, 255),  // COLOR_STATIC
    RGB(0, 0, 0),        // COLOR_STATICTEXT
    RGB(0, 120, 230),    // COLOR_GRADIENTACTIVECAPTION
    RGB(160, 160, 160),  // COLOR_GRADIENTINACTIVECAPTION
};

}  // namespace

extern "C" DWORD GetSysColor(int index) {
  return Guarded<DWORD>(0, [&]() -> DWORD {
    index &= ~SYS_COLOR_INDEX_FLAG;
    if (index < 0 || index >= C_SYS_COLOR_TYPES) return 0;
    return kSysColors[static_cast<std::size_t>(index)];
  });
}

extern "C" HBRUSH GetSysColorBrush(int index) {
  return Guarded<HBRUSH>(nullptr, [&]() -> HBRUSH {
    auto& gdi = handset::gdi::Gdi();
    std::lock_guard lock(gdi.Mutex());
    return gdi.SysColorBrush(index);
  });
}
