// The "listbox" class: a list of strings with one selected item or, with LBS_MULTIPLESEL or
// LBS_EXTENDEDSEL, several. LB_ messages change it without telling anyone; what the user does (a
// tap on an item, the arrow keys) moves the selection and the caret and, with LBS_NOTIFY, tells the
// parent LBN_SELCHANGE. A tap toggles an item of a LBS_MULTIPLESEL list and selects an item of a
// LBS_EXTENDEDSEL list alone (a phone has no Shift key to extend the range with).
// Messages: LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
// LB_SETCURSEL, LB_GETCURSEL (in a list of several: the caret), LB_SETSEL, LB_GETSEL,
// LB_GETSELCOUNT, LB_GETSELITEMS, LB_SELITEMRANGE, LB_SELITEMRANGEEX, LB_SETCARETINDEX,
// LB_GETCARETINDEX, LB_SETANCHORINDEX, LB_GETANCHORINDEX, LB_GETTEXT, LB_GETTEXTLEN,
// LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING,
// LB_GETTOPINDEX, LB_SETTOPINDEX, LB_GETITEMHEIGHT, LB_GETITEMRECT, LB_ITEMFROMPOINT.
#include <windows.h>

#include <algorithm>

#include "controls/control_support.h"
#include "controls/item_list.h"
#include "controls/standard_classes.h"

namespace handset::controls {
namespace {

struct ListBoxRecord {
  ItemList items;
  int top = 0;
  bool focused = false;
  HFONT font = nullptr;
};

int ItemHeight(HWND window, const ListBoxRecord& record) { return LineHeight(window, record.font); }

int VisibleRows(HWND window, const ListBoxRecord& record) {
  RECT client;
  GetClientRect(window, &client);
  return std::max<int>(1, (client.bottom - client.top) / std::max(1, ItemHeight(window, record)));
}

void ScrollIntoView(HWND window, ListBoxRecord& record, int index) {
  if (index < 0) return;
  int rows = VisibleRows(window, record);
  if (index < record.top) record.top = index;
  if (index >= record.top + rows) record.top = index - rows + 1;
}

bool Several(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

bool Shown(HWND window, const ListBoxRecord& record, int index) {
  return Several(window) ? record.items.IsSelected(index) : index == record.items.Selection();
}

// Selects (or deselects) the items first..last of a list of several, in either order.
LRESULT SelectRange(HWND window, ListBoxRecord& record, int first, int last, bool select) {
  if (!Several(window)) return LB_ERR;
  if (first > last) std::swap(first, last);
  first = std::max(first, 0);
  last = std::min(last, record.items.Count() - 1);
  for (int index = first; index <= last; ++index) record.items.SetSelected(index, select);
  InvalidateRect(window, nullptr, TRUE);
  return LB_OKAY;
}

// A tap or an arrow key on item `index`: a toggle in a LBS_MULTIPLESEL list (when `toggle`, else
// only the caret moves), the item alone in the others.
void UserSelects(HWND window, ListBoxRecord& record, int index, bool toggle) {
  auto& items = record.items;
  if (!items.Has(index)) return;
  DWORD style = GetWindowLongW(window, GWL_STYLE);
  bool changed = false;
  if (style & LBS_MULTIPLESEL) {
    if (toggle) {
      items.SetSelected(index, !items.IsSelected(index));
      changed = true;
    }
  } else if (style & LBS_EXTENDEDSEL) {
    changed = !items.IsSelected(index) || items.SelectedCount() != 1;
    for (int i = 0; i < items.Count(); ++i) items.SetSelected(i, i == index);
  } else {
    changed = items.Selection() != index;
    items.Select(index);
  }
  if (!changed && items.Caret() == index) return;
  items.SetCaret(index);
  items.SetAnchor(index);
  ScrollIntoView(window, record, index);
  InvalidateRect(window, nullptr, TRUE);
  if (changed && (style & LBS_NOTIFY)) Notify(window, LBN_SELCHANGE);
}

// LB_ITEMFROMPOINT: the nearest item in the low word; 1 in the high word when the point is not on
// an item of the client area.
LRESULT ItemFromPoint(HWND window, const ListBoxRecord& record, LPARAM lParam) {
  int count = record.items.Count();
  if (!count) return MAKELONG(0xFFFF, 1);
  POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  RECT client;
  GetClientRect(window, &client);
  int height = std::max(1, ItemHeight(window, record));
  int row = point.y < 0 ? -1 : point.y / height;
  int index = std::clamp(record.top + row, 0, count - 1);
  bool on = point.x >= client.left && point.x < client.right && point.y >= client.top && point.y < client.bottom &&
            record.top + row < count;
  return MAKELONG(index, on ? 0 : 1);
}

void Paint(HWND window, ListBoxRecord& record, HDC dc, const RECT& client) {
  HBRUSH brush = ColorsFromParent(window, dc, WM_CTLCOLORLISTBOX);
  if (brush) FillRect(dc, &client, brush);
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  COLORREF normalText = IsWindowEnabled(window) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  int height = ItemHeight(window, record);
  for (int index = record.top, y = 0; index < record.items.Count() && y < client.bottom; ++index, y += height) {
    RECT row{client.left, y, client.right, y + height};
    bool selected = Shown(window, record, index);
    if (selected) {
      HBRUSH highlight = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
      FillRect(dc, &row, highlight);
      DeleteObject(highlight);
    }
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : normalText);
    RECT textRect{row.left + 2, row.top, row.right - 2, row.bottom};
    DrawTextW(dc, record.items.Text(index).c_str(), -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

LRESULT Changed(HWND window, LRESULT result) {
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

}  // namespace

LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = RecordOf<ListBoxRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  auto& items = record->items;
  int index = static_cast<int>(wParam);
  auto text = [&] { return lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string(); };
  switch (message) {
    case LB_ADDSTRING:
      return Changed(window, items.Add(text(), (GetWindowLongW(window, GWL_STYLE) & LBS_SORT) != 0));
    case LB_INSERTSTRING:
      return Changed(window, items.Insert(index, text()));
    case LB_DELETESTRING:
      return Changed(window, items.Erase(index));
    case LB_RESETCONTENT:
      items.Clear();
      record->top = 0;
      return Changed(window, 0);
    case LB_GETCOUNT:
      return items.Count();
    case LB_SETCURSEL:
      // -1 clears the selection and, as on Win32, answers LB_ERR all the same. A list of several
      // selected items takes LB_SETSEL instead.
      if (Several(window) || (index != -1 && !items.Has(index))) return LB_ERR;
      items.Select(index);
      if (index != -1) items.SetCaret(index);
      ScrollIntoView(window, *record, index);
      InvalidateRect(window, nullptr, TRUE);
      return index == -1 ? LB_ERR : index;
    case LB_GETCURSEL:
      if (Several(window)) return items.Caret();
      return items.Selection() < 0 ? LB_ERR : items.Selection();
    case LB_SETSEL: {
      // lParam the item, or -1 for every item; a selected item takes the caret and the anchor.
      int item = static_cast<int>(lParam);
      if (!Several(window) || (item != -1 && !items.Has(item))) return LB_ERR;
      if (item == -1) return SelectRange(window, *record, 0, items.Count() - 1, wParam != 0);
      items.SetSelected(item, wParam != 0);
      if (wParam) {
        items.SetCaret(item);
        items.SetAnchor(item);
      }
      return Changed(window, LB_OKAY);
    }
    case LB_GETSEL:
      if (!items.Has(index)) return LB_ERR;
      return Shown(window, *record, index) ? 1 : 0;
    case LB_GETSELCOUNT:
      return Several(window) ? items.SelectedCount() : LB_ERR;
    case LB_GETSELITEMS: {
      if (!Several(window) || !lParam) return LB_ERR;
      auto* out = reinterpret_cast<int*>(lParam);
      int copied = 0;
      for (int i = 0; i < items.Count() && copied < index; ++i)
        if (items.IsSelected(i)) out[copied++] = i;
      return copied;
    }
    case LB_SELITEMRANGE:
      return SelectRange(window, *record, LOWORD(lParam), HIWORD(lParam), wParam != 0);
    case LB_SELITEMRANGEEX:
      // First after last deselects the range.
      return SelectRange(window, *record, index, static_cast<int>(lParam), index <= static_cast<int>(lParam));
    case LB_SETCARETINDEX:
      if (!items.Has(index)) return LB_ERR;
      items.SetCaret(index);
      ScrollIntoView(window, *record, index);
      return Changed(window, LB_OKAY);
    case LB_GETCARETINDEX:
      // A list of one selected item has its caret on the selected item.
      return !Several(window) && items.Selection() >= 0 ? items.Selection() : items.Caret();
    case LB_SETANCHORINDEX:
      if (index != -1 && !items.Has(index)) return LB_ERR;
      items.SetAnchor(index);
      return LB_OKAY;
    case LB_GETANCHORINDEX:
      return items.Anchor();
    case LB_ITEMFROMPOINT:
      return ItemFromPoint(window, *record, lParam);
    case LB_GETTEXT:
      return items.CopyText(index, lParam);
    case LB_GETTEXTLEN:
      return items.TextLength(index);
    case LB_GETITEMDATA:
      return items.DataOf(index);
    case LB_SETITEMDATA:
      return items.SetDataOf(index, lParam);
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return items.Find(index, text(), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      int found = items.SelectString(index, text());
      if (found == LB_ERR) return LB_ERR;
      ScrollIntoView(window, *record, found);
      return Changed(window, found);
    }
    case LB_GETTOPINDEX:
      return record->top;
    case LB_SETTOPINDEX:
      if (!items.Has(index) && !(index == 0 && items.Count() == 0)) return LB_ERR;
      record->top = index;
      return Changed(window, 0);
    case LB_GETITEMHEIGHT:
      return ItemHeight(window, *record);
    case LB_GETITEMRECT: {
      if (!items.Has(index) || !lParam) return LB_ERR;
      RECT client;
      GetClientRect(window, &client);
      int height = ItemHeight(window, *record);
      LONG top = (index - record->top) * height;
      *reinterpret_cast<RECT*>(lParam) = {client.left, top, client.right, top + height};
      return 1;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(window);
      int row = static_cast<SHORT>(HIWORD(lParam)) / std::max(1, ItemHeight(window, *record));
      UserSelects(window, *record, record->top + row, true);
      return 0;
    }
    case WM_KEYDOWN: {
      // The arrow keys move from the caret (in a list of one selected item, from the selection);
      // the space bar toggles the caret's item of a LBS_MULTIPLESEL list.
      int from = Several(window) ? items.Caret() : items.Selection();
      if (wParam == VK_DOWN) UserSelects(window, *record, from + 1, false);
      if (wParam == VK_UP && from > 0) UserSelects(window, *record, from - 1, false);
      if (wParam == VK_SPACE && Several(window)) UserSelects(window, *record, items.Caret(), true);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (GetWindowLongW(window, GWL_STYLE) & LBS_NOTIFY)
        Notify(window, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      TrackFocus(window, message, record->focused);
      return 0;
    default:
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::controls
