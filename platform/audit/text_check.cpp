// Whether each text a control shows fits the room the control draws it in, measured with the font
// it draws with: a label with its wrapping and its height, a button's or check box's label, the
// selection of a list, the labels of the tabs and of the soft keys. A message box shows its text
// in a label and its answers in buttons, and is measured so.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "audit/audited_window.h"
#include "controls/control_support.h"
#include "controls/text_areas.h"
#include "handset/text.h"
#include "shell/menu_bar.h"

namespace handset::audit {
namespace {

struct ShownText {
  std::u16string text;
  controls::TextArea area;
  std::string what;  // how a person names this text, when it is one of several of the window
};

// The text's size as DrawTextW lays it out in the area's width with the window's font.
SIZE Needed(HWND window, const ShownText& shown) {
  HDC dc = GetDC(window);
  RECT measured{0, 0, shown.area.rect.right - shown.area.rect.left, 0};
  {
    controls::FontScope font(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    DrawTextW(dc, shown.text.c_str(), -1, &measured, shown.area.format | DT_CALCRECT);
  }
  ReleaseDC(window, dc);
  return {measured.right - measured.left, measured.bottom - measured.top};
}

std::vector<ShownText> TabLabels(HWND tabs) {
  std::vector<ShownText> texts;
  int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  RECT client{};
  GetClientRect(tabs, &client);
  for (int i = 0; i < count; ++i) {
    WCHAR label[128] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = 128;
    RECT rect{};
    if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) ||
        !SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)))
      continue;
    // A tab past the end of the row is cut off where the row ends.
    rect.right = std::min(rect.right, client.right);
    texts.push_back({label, {rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX}, "tab"});
  }
  return texts;
}

std::vector<ShownText> SoftKeyLabels(HWND bar) {
  std::vector<ShownText> texts;
  auto keys = shell::SoftKeysOf(bar);
  for (std::size_t i = 0; i < keys.size(); ++i)
    texts.push_back({keys[i].label, {shell::SoftKeyRect(bar, i), DT_CENTER | DT_VCENTER | DT_SINGLELINE},
                     i == 0 ? "left soft key" : "right soft key"});
  return texts;
}

std::vector<ShownText> TextsOf(const windows::WindowInfo& window) {
  HWND handle = window.handle;
  if (ClassIs(window, u"static")) {
    if (auto area = controls::StaticTextArea(handle); area && !window.text.empty()) return {{window.text, *area, {}}};
    return {};
  }
  if (ClassIs(window, u"button")) {
    if (window.text.empty()) return {};
    return {{window.text, controls::ButtonTextArea(handle), {}}};
  }
  if (ClassIs(window, u"combobox")) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (window.text.empty() || !GetComboBoxInfo(handle, &info)) return {};
    return {{window.text, {info.rcItem, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX}, {}}};
  }
  if (ClassIs(window, WC_TABCONTROLW)) return TabLabels(handle);
  if (ClassIs(window, shell::kMenuBarClass)) return SoftKeyLabels(handle);
  return {};
}

std::string Quoted(const std::u16string& text) { return "\"" + Utf8(text) + "\""; }

}  // namespace

void CheckText(const AuditedWindow& window, std::vector<Finding>& findings) {
  for (const ShownText& shown : TextsOf(*window.info)) {
    const RECT& rect = shown.area.rect;
    LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    SIZE needed = Needed(window.info->handle, shown);
    std::string subject = Describe(*window.info) + (shown.what.empty() ? "" : ": " + shown.what + " " + Quoted(shown.text));
    std::string text = "text " + Quoted(shown.text);
    if (needed.cx > width) {
      findings.push_back(MakeFinding("clipped-text", *window.info,
                                     subject + ": " + text + " needs " + std::to_string(needed.cx) + " px, has " +
                                         std::to_string(std::max<LONG>(0, width)) + " px of width"));
    } else if (needed.cy > height) {
      bool wraps = (shown.area.format & DT_WORDBREAK) && !(shown.area.format & DT_SINGLELINE);
      findings.push_back(MakeFinding("clipped-text", *window.info,
                                     subject + ": " + text + " needs " + std::to_string(needed.cy) + " px" +
                                         (wraps ? " of height on its lines" : " of height") + ", has " +
                                         std::to_string(std::max<LONG>(0, height)) + " px"));
    }
  }
}

}  // namespace handset::audit
