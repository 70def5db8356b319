// The "listbox" class: a single-selection list of strings. LB_ messages change it without telling
// anyone; what the user does (a tap on an item, the arrow keys) moves the selection and, with
// LBS_NOTIFY, tells the parent LBN_SELCHANGE.
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

void UserSelects(HWND window, ListBoxRecord& record, int index) {
  if (!record.items.Has(index) || record.items.Selection() == index) return;
  record.items.Select(index);
  ScrollIntoView(window, record, index);
  InvalidateRect(window, nullptr, TRUE);
  if (GetWindowLongW(window, GWL_STYLE) & LBS_NOTIFY) Notify(window, LBN_SELCHANGE);
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
    bool selected = index == record.items.Selection();
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
      // -1 clears the selection and, as on Win32, answers LB_ERR all the same.
      if (index != -1 && !items.Has(index)) return LB_ERR;
      items.Select(index);
      ScrollIntoView(window, *record, index);
      InvalidateRect(window, nullptr, TRUE);
      return index == -1 ? LB_ERR : index;
    case LB_GETCURSEL:
      return items.Selection() < 0 ? LB_ERR : items.Selection();
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
      UserSelects(window, *record, record->top + row);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_DOWN) UserSelects(window, *record, items.Selection() + 1);
      if (wParam == VK_UP && items.Selection() > 0) UserSelects(window, *record, items.Selection() - 1);
      return 0;
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
