#include "user/shell_steps.h"

#include <commctrl.h>

#include "handset/text.h"
#include "shell/menu_bar.h"
#include "shell/picture_view.h"
#include "user/user_script.h"
#include "user/window_search.h"

namespace handset::user {

std::u16string TabTitle(HWND tabs, int index) {
  WCHAR text[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
  return text;
}

namespace {

// The names offered, for a message: "a.jpg", "b.png".
std::string Listed(HWND list) {
  std::string names;
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    WCHAR name[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
    names += (i ? ", \"" : "\"") + Utf8(name) + "\"";
  }
  return names.empty() ? "none" : names;
}

ShellPoint Refused(std::string why) { return {std::move(why), nullptr, std::nullopt}; }

}  // namespace

ShellPoint SoftKeyPoint(const actions::SoftKey& key, const dialogs::ModalFrame& frame) {
  HWND bar = shell::SoftKeyBarFor(frame.window);
  if (!bar) return Refused("no soft-key bar is up for " + Describe(frame));
  POINT centre;
  std::string why = shell::SoftKeyPoint(bar, key.number, centre);
  if (!why.empty()) return Refused(why);
  return {{}, bar, RECT{centre.x, centre.y, centre.x + 1, centre.y + 1}};
}

ShellPoint TabPoint(const actions::ChangeTab& tab, const dialogs::ModalFrame& frame) {
  HWND tabs = FindVisibleOfClass(frame.window, WC_TABCONTROLW);
  if (!tabs) return Refused("no tabs in " + Describe(frame));
  int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  int index = tab.index;
  if (tab.title) {
    index = -1;
    for (int i = 0; i < count && index < 0; ++i)
      if (TabTitle(tabs, i) == *tab.title) index = i;
    if (index < 0) return Refused("no tab \"" + Utf8(*tab.title) + "\" in " + Describe(frame));
  }
  if (index < 0 || index >= count)
    return Refused(Describe(frame) + " has " + std::to_string(count) + " tabs, not a tab " + std::to_string(index));
  if (!IsWindowEnabled(tabs)) return Refused("the tabs are disabled");
  RECT item;
  SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return {{}, tabs, item};
}

ShellPoint PicturePoint(const actions::Pick& pick, const dialogs::ModalFrame& frame) {
  HWND view = FindVisibleOfClass(frame.window, shell::kPictureViewClass);
  if (!view) return Refused("no picture picker is up (up: " + Describe(frame) + ")");
  if (!pick.name) {
    PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return {{}, nullptr, std::nullopt};
  }
  auto index = SendMessageW(view, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(pick.name->c_str()));
  if (index < 0)
    return Refused("the picker shows no picture \"" + Utf8(*pick.name) + "\" (it shows " + Listed(view) + ")");
  RECT client, item;
  GetClientRect(view, &client);
  SendMessageW(view, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.top < 0 || item.bottom > client.bottom) {  // a person scrolls it into sight first
    SendMessageW(view, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageW(view, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  return {{}, view, item};
}

}  // namespace handset::user
