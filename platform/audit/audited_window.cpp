#include "audit/audited_window.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "handset/text.h"
#include "shell/menu_bar.h"

namespace handset::audit {
namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

std::string KindOf(const windows::WindowInfo& window) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(window.handle, GWL_STYLE));
  if (ClassIs(window, u"button")) {
    switch (style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return "check box";
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return "option";
      case BS_GROUPBOX:
        return "group box";
      default:
        return "button";
    }
  }
  if (ClassIs(window, u"static")) {
    DWORD type = style & SS_TYPEMASK;
    return type == SS_ICON ? "icon" : type == SS_BITMAP ? "picture" : "label";
  }
  if (ClassIs(window, u"edit")) return "text field";
  if (ClassIs(window, u"combobox")) return "list";
  if (ClassIs(window, u"listbox")) return "list box";
  if (ClassIs(window, u"scrollbar")) return "scroll bar";
  if (ClassIs(window, WC_TABCONTROLW)) return "tab row";
  if (ClassIs(window, shell::kMenuBarClass)) return "soft-key bar";
  return (style & WS_CHILD) ? "panel" : "window";
}

}  // namespace

bool ClassIs(const windows::WindowInfo& window, std::u16string_view name) {
  if (window.className.size() != name.size()) return false;
  return std::equal(name.begin(), name.end(), window.className.begin(),
                    [](char16_t a, char16_t b) { return AsciiLower(a) == AsciiLower(b); });
}

std::string Describe(const windows::WindowInfo& window) {
  std::string text = KindOf(window);
  if (!window.text.empty() && !ClassIs(window, u"edit")) text += " \"" + Utf8(window.text) + "\"";
  if (window.id != 0 && (GetWindowLongW(window.handle, GWL_STYLE) & WS_CHILD))
    text += " (" + std::to_string(window.id) + ")";
  return text;
}

Finding MakeFinding(const char* kind, const windows::WindowInfo& window, std::string detail) {
  bool child = (GetWindowLongW(window.handle, GWL_STYLE) & WS_CHILD) != 0;
  return Finding{kind, window.handle, child ? window.id : 0, std::move(detail)};
}

bool Intersect(const RECT& a, const RECT& b, RECT& out) {
  out = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return out.left < out.right && out.top < out.bottom;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace handset::audit
