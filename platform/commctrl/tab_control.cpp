#include "commctrl/tab_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/control_support.h"

namespace handset::commctrl {
namespace {

using controls::FontScope;

struct TabItem {
  std::u16string text;
  int image = -1;
  DWORD state = 0;          // TCIS_*
  std::vector<BYTE> extra;  // the application's bytes: an LPARAM unless TCM_SETITEMEXTRA says otherwise
};

struct TabRecord {
  std::vector<TabItem> items;
  int selected = -1;
  HFONT font = nullptr;
  std::size_t extraBytes = sizeof(LPARAM);
  SIZE fixed{0, 0};  // TCM_SETITEMSIZE; 0: the default width and height
};

constexpr DWORD kStates = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;

// Where a tab's application bytes lie in the caller's record: at lParam, which the header's
// fields precede, as on Win32.
BYTE* ExtraOf(const TCITEMW* item) {
  return reinterpret_cast<BYTE*>(const_cast<LPARAM*>(&item->lParam));
}

bool Has(const TabRecord& record, WPARAM index) { return index < record.items.size(); }

int RowHeight(HWND window, const TabRecord& record) {
  if (record.fixed.cy > 0) return record.fixed.cy;
  return controls::LineHeight(window, record.font) + controls::ScaledToScreen(window, 8);
}

bool FixedWidth(HWND window, const TabRecord& record) {
  return record.fixed.cx > 0 && (GetWindowLongW(window, GWL_STYLE) & TCS_FIXEDWIDTH);
}

// Each tab is as wide as its text with a margin on both sides, laid out from the left edge.
std::vector<RECT> Layout(HWND window, const TabRecord& record) {
  RECT client;
  GetClientRect(window, &client);
  int height = RowHeight(window, record);
  bool bottom = (GetWindowLongW(window, GWL_STYLE) & TCS_BOTTOM) != 0;
  LONG top = bottom ? client.bottom - height : 0;
  std::vector<RECT> rects;
  int margin = controls::ScaledToScreen(window, 8);
  HDC dc = GetDC(window);
  {
    FontScope font(dc, record.font);
    LONG x = 0;
    for (const auto& item : record.items) {
      SIZE extent{0, 0};
      GetTextExtentPoint32W(dc, item.text.c_str(), static_cast<int>(item.text.size()), &extent);
      LONG width = FixedWidth(window, record) ? record.fixed.cx : extent.cx + 2 * margin;
      rects.push_back({x, top, x + width, top + height});
      x += width;
    }
  }
  ReleaseDC(window, dc);
  return rects;
}

int HitTest(HWND window, const TabRecord& record, POINT point) {
  auto rects = Layout(window, record);
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (point.x >= rects[i].left && point.x < rects[i].right && point.y >= rects[i].top && point.y < rects[i].bottom)
      return static_cast<int>(i);
  return -1;
}

void Paint(HWND window, TabRecord& record, HDC dc, const RECT& client) {
  bool bottom = (GetWindowLongW(window, GWL_STYLE) & TCS_BOTTOM) != 0;
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  auto rects = Layout(window, record);
  // The line that joins the tabs to the page; the selected tab breaks through it.
  LONG edge = bottom ? client.bottom - RowHeight(window, record) : RowHeight(window, record) - 1;
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
  HGDIOBJ previousPen = SelectObject(dc, pen);
  MoveToEx(dc, client.left, edge, nullptr);
  LineTo(dc, client.right, edge);
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    RECT tab = rects[i];
    bool selected = static_cast<int>(i) == record.selected;
    FillRect(dc, &tab, GetSysColorBrush(selected ? COLOR_WINDOW : COLOR_BTNFACE));
    // Three sides drawn: the side towards the page stays open on the selected tab.
    LONG outer = bottom ? tab.bottom - 1 : tab.top;
    LONG inner = bottom ? tab.top : tab.bottom - 1;
    MoveToEx(dc, tab.left, inner, nullptr);
    LineTo(dc, tab.left, outer);
    LineTo(dc, tab.right - 1, outer);
    LineTo(dc, tab.right - 1, inner);
    if (!selected) {
      MoveToEx(dc, tab.left, inner, nullptr);
      LineTo(dc, tab.right, inner);
    }
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, record.items[i].text.c_str(), -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, previousPen);
  DeleteObject(pen);
}

LRESULT NotifyParent(HWND window, UINT code) {
  NMHDR header{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), code};
  HWND parent = GetParent(window);
  return parent ? SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

// What a person's choice of another tab does: the parent may keep the current one.
void ChooseByUser(HWND window, TabRecord& record, int index) {
  if (index < 0 || index == record.selected || !Has(record, static_cast<WPARAM>(index))) return;
  if (NotifyParent(window, TCN_SELCHANGING)) return;
  if (!IsWindow(window) || !Has(record, static_cast<WPARAM>(index))) return;
  record.selected = index;
  InvalidateRect(window, nullptr, TRUE);
  NotifyParent(window, TCN_SELCHANGE);
}

// Takes what the record's mask names into the tab.
void Apply(const TabRecord& record, const TCITEMW& item, TabItem& tab) {
  if ((item.mask & TCIF_TEXT) && item.pszText) tab.text = item.pszText;
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
  if (item.mask & TCIF_STATE) tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask & kStates);
  if (item.mask & TCIF_PARAM) tab.extra.assign(ExtraOf(&item), ExtraOf(&item) + record.extraBytes);
}

LRESULT InsertItem(HWND window, TabRecord& record, WPARAM index, const TCITEMW* item) {
  if (!item || static_cast<int>(index) < 0) return -1;
  TabItem tab;
  tab.extra.assign(record.extraBytes, 0);
  Apply(record, *item, tab);
  // An index past the end appends, as on Win32; the selected tab stays the same tab, and the
  // first tab of an empty control is selected.
  std::size_t at = index < record.items.size() ? index : record.items.size();
  record.items.insert(record.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(tab));
  if (record.items.size() == 1)
    record.selected = 0;
  else if (record.selected >= static_cast<int>(at))
    ++record.selected;
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<LRESULT>(at);
}

LRESULT SetItem(HWND window, TabRecord& record, WPARAM index, const TCITEMW* item) {
  if (!Has(record, index) || !item) return FALSE;
  Apply(record, *item, record.items[index]);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

// TCM_ADJUSTRECT: the window rectangle for a display area (`larger`), or the display area of a
// window rectangle: the window less the row of tabs.
void AdjustRect(HWND window, const TabRecord& record, bool larger, RECT& rect) {
  LONG row = RowHeight(window, record) * (larger ? 1 : -1);
  if (GetWindowLongW(window, GWL_STYLE) & TCS_BOTTOM)
    rect.bottom += row;
  else
    rect.top -= row;
}

LRESULT GetItem(const TabRecord& record, WPARAM index, TCITEMW* item) {
  if (!Has(record, index) || !item) return FALSE;
  const auto& tab = record.items[index];
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    // Cut to the caller's buffer, never written past it.
    std::size_t count = std::min(tab.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
    std::copy_n(tab.text.begin(), count, item->pszText);
    item->pszText[count] = 0;
  }
  if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
  if (item->mask & TCIF_STATE) item->dwState = tab.state & item->dwStateMask;
  if (item->mask & TCIF_PARAM) std::memcpy(ExtraOf(item), tab.extra.data(), tab.extra.size());
  return TRUE;
}

LRESULT DeleteItem(HWND window, TabRecord& record, WPARAM index) {
  if (!Has(record, index)) return FALSE;
  record.items.erase(record.items.begin() + static_cast<std::ptrdiff_t>(index));
  int removed = static_cast<int>(index);
  if (record.selected == removed)
    record.selected = -1;
  else if (record.selected > removed)
    --record.selected;
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

}  // namespace

int TabRowHeight(HWND tabControl) {
  auto record = controls::RecordOf<TabRecord>(tabControl);
  return record ? RowHeight(tabControl, *record) : 0;
}

LRESULT TabControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = controls::RecordOf<TabRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case TCM_INSERTITEMW:
      return InsertItem(window, *record, wParam, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_SETITEMW:
      return SetItem(window, *record, wParam, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_GETITEMW:
      return GetItem(*record, wParam, reinterpret_cast<TCITEMW*>(lParam));
    case TCM_SETITEMEXTRA:
      // Only before the first tab, and at least an LPARAM's worth.
      if (!record->items.empty() || static_cast<int>(wParam) < 0) return FALSE;
      record->extraBytes = std::max(sizeof(LPARAM), static_cast<std::size_t>(wParam));
      return TRUE;
    case TCM_SETITEMSIZE: {
      // Answers the size before, as MAKELONG(width, height).
      RECT first{0, 0, 0, 0};
      auto rects = Layout(window, *record);
      if (!rects.empty()) first = rects[0];
      LRESULT previous = MAKELONG(record->fixed.cx > 0 ? record->fixed.cx : first.right - first.left,
                                  RowHeight(window, *record));
      record->fixed = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      InvalidateRect(window, nullptr, TRUE);
      return previous;
    }
    case TCM_ADJUSTRECT:
      if (lParam) AdjustRect(window, *record, wParam != 0, *reinterpret_cast<RECT*>(lParam));
      return 0;
    case TCM_GETROWCOUNT:
      return 1;
    case TCM_GETCURFOCUS:
      return record->selected;
    case TCM_SETCURFOCUS:
      ChooseByUser(window, *record, static_cast<int>(wParam));
      return 0;
    case TCM_GETITEMCOUNT:
      return static_cast<LRESULT>(record->items.size());
    case TCM_DELETEITEM:
      return DeleteItem(window, *record, wParam);
    case TCM_DELETEALLITEMS:
      record->items.clear();
      record->selected = -1;
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    case TCM_GETCURSEL:
      return record->selected;
    case TCM_SETCURSEL: {
      // Answers the tab selected before, or -1 for a tab that does not exist (a negative index
      // too); the parent is not told.
      if (static_cast<int>(wParam) < 0 || !Has(*record, wParam)) return -1;
      int previous = record->selected;
      record->selected = static_cast<int>(wParam);
      InvalidateRect(window, nullptr, TRUE);
      return previous;
    }
    case TCM_GETITEMRECT: {
      auto rects = Layout(window, *record);
      if (wParam >= rects.size() || !lParam) return FALSE;
      *reinterpret_cast<RECT*>(lParam) = rects[wParam];
      return TRUE;
    }
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
      if (!info) return -1;
      int index = HitTest(window, *record, info->pt);
      info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
      return index;
    }
    case WM_LBUTTONDOWN:
      ChooseByUser(window, *record, HitTest(window, *record, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}));
      return 0;
    case WM_KEYDOWN: {
      int count = static_cast<int>(record->items.size());
      if (count && (wParam == VK_LEFT || wParam == VK_RIGHT))
        ChooseByUser(window, *record, (record->selected + (wParam == VK_LEFT ? count - 1 : 1)) % count);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    default:
      return controls::ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::commctrl
