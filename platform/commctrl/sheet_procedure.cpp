// The property sheet's dialog procedure: the sheet fills the screen with its tab control along
// the bottom and the current page above it; pages are made when first shown; OK, Cancel and page
// changes ask the pages (PSN_KILLACTIVE, PSN_APPLY, PSN_RESET, PSN_SETACTIVE) as the platform does;
// commands the sheet does not handle itself go to the current page.
// At the start the header's callback hears PSCB_INITIALIZED, then the first page is made, hears
// PSN_SETACTIVE and is shown; pages marked PSP_PREMATURE are made after it; only then is the sheet
// shown and activated, as on the device and desktop Win32, so a subclass installed by the callback
// hears its first WM_ACTIVATE, and the page's first tab stop takes the focus. Pages can be added and removed while the sheet is up
// (PSM_ADDPAGE, PSM_REMOVEPAGE); Cancel first asks the current page (PSN_QUERYCANCEL); PSM_APPLY
// applies as OK does without closing; PSM_QUERYSIBLINGS is handed to the pages made so far.
// After a turn of the screen (WM_SETTINGCHANGE with SETTINGCHANGE_RESET) the sheet lays itself out
// again once the shell has resized it, from a message it posts itself: a subclass that keeps the
// shell's WM_WINDOWPOSCHANGED from DefWindowProc (so the sheet hears no WM_SIZE) still gets a sheet
// that fills the turned screen, its tab row along the bottom and its current page resized.
#include <commctrl.h>

#include <algorithm>

#include "commctrl/property_sheet.h"
#include "commctrl/sheet_pages.h"
#include "commctrl/sheet_template.h"
#include "commctrl/tab_control.h"
#include "dialogs/dialog_builder.h"
#include "windows/window_private.h"

namespace handset::commctrl {
namespace {

// The sheet's window finds its Sheet through its own slot: a modal sheet's lives in PropertySheetW,
// a modeless sheet's in the slot itself.
struct SheetLink {
  Sheet* sheet = nullptr;
  std::unique_ptr<Sheet> owned;
};

// Posted to itself on a turn of the screen; handled after the shell's repositioning.
constexpr UINT kRelayoutAfterTurn = WM_USER + 200;

Sheet* SheetOf(HWND window) {
  auto link = windows::WindowPrivate<SheetLink>(window);
  return link ? link->sheet : nullptr;
}

LRESULT NotifyPage(Sheet& sheet, const SheetPage& page, UINT code) {
  if (!page.window || !IsWindow(page.window)) return 0;
  PSHNOTIFY notify{{sheet.window, 0, code}, 0};
  return SendMessageW(page.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

// The page area: the client area above the tab control.
RECT PageArea(const Sheet& sheet) {
  RECT client;
  GetClientRect(sheet.window, &client);
  if (sheet.tabs) client.bottom -= TabRowHeight(sheet.tabs);
  if (client.bottom < client.top) client.bottom = client.top;
  return client;
}

void Layout(Sheet& sheet) {
  RECT client;
  GetClientRect(sheet.window, &client);
  RECT pages = PageArea(sheet);
  if (sheet.tabs)
    SetWindowPos(sheet.tabs, nullptr, 0, pages.bottom, client.right, client.bottom - pages.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (sheet.current >= 0 && sheet.pages[sheet.current]->window)
    SetWindowPos(sheet.pages[sheet.current]->window, nullptr, 0, 0, pages.right, pages.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CreatePage(Sheet& sheet, SheetPage& page) {
  if (page.window) return true;
  auto& record = page.record;
  if ((record.dwFlags & PSP_USECALLBACK) && record.pfnCallback && !record.pfnCallback(nullptr, PSPCB_CREATE, &record))
    return false;
  dialogs::DialogRequest request;
  request.instance = record.hInstance;
  request.source = page.source;
  request.owner = sheet.window;
  request.procedure = record.pfnDlgProc;
  request.param = reinterpret_cast<LPARAM>(&record);
  request.removeStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  request.addStyle = WS_CHILD | DS_CONTROL;
  page.window = dialogs::BuildDialog(request);
  return page.window != nullptr;
}

void FocusPage(const SheetPage& page) {
  HWND first = GetNextDlgTabItem(page.window, nullptr, FALSE);
  SetFocus(first ? first : page.window);
}

// Makes page `index` the current one: the page being left may refuse (PSN_KILLACTIVE answering
// TRUE) unless it was already asked; the new page is made on first show and told PSN_SETACTIVE.
bool ShowPage(Sheet& sheet, int index, bool askLeaving) {
  if (index < 0 || index >= static_cast<int>(sheet.pages.size())) return false;
  if (index == sheet.current) return true;
  if (askLeaving && sheet.current >= 0 && NotifyPage(sheet, *sheet.pages[sheet.current], PSN_KILLACTIVE)) {
    if (sheet.tabs) SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(sheet.current), 0);
    return false;
  }
  auto& page = *sheet.pages[index];
  if (!CreatePage(sheet, page)) {
    if (sheet.tabs && sheet.current >= 0) SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(sheet.current), 0);
    return false;
  }
  int previous = sheet.current;
  sheet.current = index;
  if (sheet.tabs) SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  Layout(sheet);
  NotifyPage(sheet, page, PSN_SETACTIVE);
  if (previous >= 0 && sheet.pages[previous]->window) ShowWindow(sheet.pages[previous]->window, SW_HIDE);
  if (IsWindow(page.window)) {
    ShowWindow(page.window, SW_SHOW);
    // A sheet still being made gives the focus once it is shown: focusing now would activate it
    // while hidden, before a subclass installed at PSCB_INITIALIZED could hear it.
    if (IsWindowVisible(sheet.window)) FocusPage(page);
  }
  return true;
}

// A modeless sheet stays up until the program destroys it.
void Finish(Sheet& sheet, INT_PTR result) {
  sheet.result = result;
  sheet.ended = true;
  if (!Modeless(sheet)) EndDialog(sheet.window, result);
}

// OK and Apply: the current page may refuse to be left, then every page made so far applies;
// a page that answers PSNRET_INVALID... keeps the sheet open (INVALID also brings it to the front).
bool Apply(Sheet& sheet) {
  if (sheet.current >= 0 && NotifyPage(sheet, *sheet.pages[sheet.current], PSN_KILLACTIVE)) return false;
  for (std::size_t i = 0; i < sheet.pages.size(); ++i) {
    if (!sheet.pages[i]->window) continue;
    LRESULT answer = NotifyPage(sheet, *sheet.pages[i], PSN_APPLY);
    if (answer == PSNRET_INVALID_NOCHANGEPAGE) return false;
    if (answer == PSNRET_INVALID) {
      ShowPage(sheet, static_cast<int>(i), false);
      return false;
    }
  }
  return true;
}

// The current page may keep the sheet open (PSN_QUERYCANCEL answering TRUE); else every page made
// so far hears PSN_RESET.
void Cancel(Sheet& sheet) {
  if (sheet.current >= 0 && NotifyPage(sheet, *sheet.pages[sheet.current], PSN_QUERYCANCEL)) return;
  for (auto& page : sheet.pages)
    if (page->window) NotifyPage(sheet, *page, PSN_RESET);
  Finish(sheet, 0);
}

void PressButton(Sheet& sheet, WPARAM button) {
  switch (button) {
    case PSBTN_OK:
      if (Apply(sheet) && IsWindow(sheet.window)) Finish(sheet, 1);
      break;
    case PSBTN_APPLYNOW:
      Apply(sheet);
      break;
    case PSBTN_CANCEL:
      Cancel(sheet);
      break;
    default:
      break;
  }
}

// PSM_QUERYSIBLINGS: each page made so far, in tab order, until one answers nonzero.
LRESULT QuerySiblings(const Sheet& sheet, WPARAM wParam, LPARAM lParam) {
  for (const auto& page : sheet.pages) {
    if (!page->window || !IsWindow(page->window)) continue;
    if (LRESULT answer = SendMessageW(page->window, PSM_QUERYSIBLINGS, wParam, lParam)) return answer;
  }
  return 0;
}

std::u16string Caption(HINSTANCE instance, LPCWSTR text, DWORD style) {
  std::u16string caption = StringOrResource(instance, text);
  if (style & PSH_PROPTITLE) caption = caption.empty() ? u"Properties" : u"Properties for " + caption;
  return caption;
}

void AddTab(Sheet& sheet, const SheetPage& page) {
  if (!sheet.tabs) return;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(page.title.c_str());
  SendMessageW(sheet.tabs, TCM_INSERTITEMW, SendMessageW(sheet.tabs, TCM_GETITEMCOUNT, 0, 0),
               reinterpret_cast<LPARAM>(&item));
}

// PSM_ADDPAGE: the sheet takes the handle; a page already in it or an unknown handle is refused.
bool AddPage(Sheet& sheet, HPROPSHEETPAGE handle) {
  auto page = FindPage(handle);
  if (!page || std::find(sheet.pages.begin(), sheet.pages.end(), page) != sheet.pages.end()) return false;
  sheet.pages.push_back(page);
  AddTab(sheet, *page);
  return true;
}

// PSM_REMOVEPAGE: the page (by handle, else by index) goes with its tab and is destroyed. When it
// was the current page, the one that took its place (or the one before, for the last) is shown,
// without asking the removed page.
void RemovePage(Sheet& sheet, int index, HPROPSHEETPAGE handle) {
  if (handle) {
    auto page = FindPage(handle);
    auto it = std::find(sheet.pages.begin(), sheet.pages.end(), page);
    if (!page || it == sheet.pages.end()) return;
    index = static_cast<int>(it - sheet.pages.begin());
  }
  if (index < 0 || index >= static_cast<int>(sheet.pages.size())) return;
  PagePtr removed = sheet.pages[static_cast<std::size_t>(index)];
  sheet.pages.erase(sheet.pages.begin() + index);
  if (sheet.tabs) SendMessageW(sheet.tabs, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  bool wasCurrent = index == sheet.current;
  if (index < sheet.current) --sheet.current;
  if (wasCurrent) sheet.current = -1;
  DestroyPage(*removed);
  if (wasCurrent && !sheet.pages.empty())
    ShowPage(sheet, std::min(index, static_cast<int>(sheet.pages.size()) - 1), false);
  else if (sheet.tabs && sheet.current >= 0)
    SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(sheet.current), 0);
}

void Initialize(HWND window, Sheet& sheet) {
  sheet.window = window;
  windows::SetWindowPrivate(window, std::make_unique<SheetLink>(SheetLink{&sheet, nullptr}));
  sheet.tabs = GetDlgItem(window, kSheetTabControlId);
  for (const auto& page : sheet.pages) AddTab(sheet, *page);
  const auto& h = sheet.header;
  SetWindowTextW(window, Caption(h.hInstance, h.pszCaption, h.dwFlags).c_str());
  // The sheet fills the screen, as every sheet of the device does.
  SetWindowPos(window, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);
  auto callback = (sheet.header.dwFlags & PSH_USECALLBACK) ? sheet.header.pfnCallback : nullptr;
  if (callback) {
    WCHAR title[MAX_PATH] = {};
    callback(window, PSCB_GETTITLE, reinterpret_cast<LPARAM>(title));
    title[MAX_PATH - 1] = 0;
    if (title[0]) SetWindowTextW(window, title);
  }
  // From here on the caption is the callback's (or PSM_SETTITLE's) to set; the sheet never sets it
  // again itself.
  if (callback) callback(window, PSCB_INITIALIZED, 0);
  if (!IsWindow(window) || !ShowPage(sheet, static_cast<int>(sheet.header.nStartPage), false)) {
    Finish(sheet, -1);
    return;
  }
  // Pages marked PSP_PREMATURE are made now, hidden, after the first page is up.
  for (auto& page : sheet.pages)
    if ((page->record.dwFlags & PSP_PREMATURE) && !CreatePage(sheet, *page)) {
      Finish(sheet, -1);
      return;
    }
  // Shown, and so activated, once it is made: its WM_ACTIVATE gives the current page the focus.
  ShowWindow(window, SW_SHOWNORMAL);
}

// The first activation of the sheet focuses its current page; later ones restore the control that
// had the focus, as every dialog does.
bool FocusOnFirstActivation(Sheet& sheet, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE || sheet.focusGiven || sheet.current < 0) return false;
  sheet.focusGiven = true;
  const auto& page = *sheet.pages[static_cast<std::size_t>(sheet.current)];
  if (!page.window || !IsWindow(page.window)) return false;
  FocusPage(page);
  return true;
}

INT_PTR Answer(HWND window, LRESULT result) {
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR Notified(Sheet& sheet, const NMHDR& header) {
  if (header.hwndFrom != sheet.tabs) return FALSE;
  if (header.code == TCN_SELCHANGING) {
    bool refused = sheet.current >= 0 && NotifyPage(sheet, *sheet.pages[sheet.current], PSN_KILLACTIVE);
    return Answer(sheet.window, refused);
  }
  if (header.code == TCN_SELCHANGE) {
    ShowPage(sheet, static_cast<int>(SendMessageW(sheet.tabs, TCM_GETCURSEL, 0, 0)), false);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

bool Modeless(const Sheet& sheet) { return (sheet.header.dwFlags & PSH_MODELESS) != 0; }

void AdoptSheet(HWND window, std::unique_ptr<Sheet> sheet) {
  if (auto link = windows::WindowPrivate<SheetLink>(window)) link->owned = std::move(sheet);
}

INT_PTR SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    Initialize(window, *reinterpret_cast<Sheet*>(lParam));
    return FALSE;  // the focus is the page's
  }
  Sheet* sheet = SheetOf(window);
  if (!sheet) return FALSE;
  switch (message) {
    case WM_SIZE:
    case kRelayoutAfterTurn:
      Layout(*sheet);
      return TRUE;
    case WM_ACTIVATE:
      return FocusOnFirstActivation(*sheet, wParam);
    case WM_SETTINGCHANGE:
      if (wParam == SETTINGCHANGE_RESET) PostMessageW(window, kRelayoutAfterTurn, 0, 0);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK)
        PressButton(*sheet, PSBTN_OK);
      else if (LOWORD(wParam) == IDCANCEL)
        PressButton(*sheet, PSBTN_CANCEL);
      else if (sheet->current >= 0 && sheet->pages[sheet->current]->window)
        SendMessageW(sheet->pages[sheet->current]->window, WM_COMMAND, wParam, lParam);
      return TRUE;
    case WM_NOTIFY:
      return lParam ? Notified(*sheet, *reinterpret_cast<const NMHDR*>(lParam)) : FALSE;
    case PSM_SETCURSEL:
      return Answer(window, ShowPage(*sheet, static_cast<int>(wParam), true));
    case PSM_PRESSBUTTON:
      PressButton(*sheet, wParam);
      return Answer(window, TRUE);
    case PSM_APPLY:
      return Answer(window, Apply(*sheet));
    case PSM_QUERYSIBLINGS:
      return Answer(window, QuerySiblings(*sheet, wParam, lParam));
    case PSM_GETCURRENTPAGEHWND:  // none once the sheet has ended: a modeless sheet's sign to go
      return Answer(window, reinterpret_cast<LRESULT>(!sheet->ended && sheet->current >= 0
                                                          ? sheet->pages[sheet->current]->window
                                                          : nullptr));
    case PSM_ISDIALOGMESSAGE:
      return Answer(window, lParam && IsDialogMessageW(window, reinterpret_cast<LPMSG>(lParam)));
    case PSM_GETTABCONTROL:
      return Answer(window, reinterpret_cast<LRESULT>(sheet->tabs));
    // The device's sheet has no Apply button for a change to enable, nor Cancel and OK buttons for
    // PSM_CANCELTOCLOSE to change: they are accepted and change nothing.
    case PSM_CHANGED:
    case PSM_UNCHANGED:
      return Answer(window, TRUE);
    case PSM_ADDPAGE:
      return Answer(window, AddPage(*sheet, reinterpret_cast<HPROPSHEETPAGE>(lParam)));
    case PSM_REMOVEPAGE:
      RemovePage(*sheet, static_cast<int>(wParam), reinterpret_cast<HPROPSHEETPAGE>(lParam));
      return Answer(window, 0);
    case PSM_SETTITLEW:
      SetWindowTextW(window, Caption(sheet->header.hInstance, reinterpret_cast<LPCWSTR>(lParam),
                                     static_cast<DWORD>(wParam)).c_str());
      return Answer(window, 0);
    case PSM_CANCELTOCLOSE:
      return Answer(window, 0);
    case WM_DESTROY:
      // The page windows go with the sheet's; the pages themselves are released here.
      if (Modeless(*sheet)) {
        for (auto& page : sheet->pages) page->window = nullptr;
        DestroyPages(*sheet);
      }
      sheet->window = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace handset::commctrl
