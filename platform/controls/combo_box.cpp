// The "combobox" class: a field showing the chosen string, and a list that drops down below it.
// CB_ messages change it without telling anyone; a choice the user makes drops the list
// (CBN_DROPDOWN), selects (CBN_SELCHANGE), confirms (CBN_SELENDOK) and closes it (CBN_CLOSEUP).
// The window keeps the height its creator gave it, which is the height of the dropped list; the
// field is the top line of it.
#include <windows.h>

#include <algorithm>

#include "controls/control_support.h"
#include "controls/item_list.h"
#include "controls/standard_classes.h"
#include "controls/user_input.h"
#include "gdi/outline.h"

namespace handset::controls {
namespace {

struct ComboBoxRecord {
  ItemList items;
  bool dropped = false;
  bool focused = false;
  HFONT font = nullptr;
};

void ShowChoice(HWND window, ComboBoxRecord& record) {
  int selection = record.items.Selection();
  std::u16string text = selection >= 0 ? record.items.Text(selection) : std::u16string();
  DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  InvalidateRect(window, nullptr, TRUE);
}

void Drop(HWND window, ComboBoxRecord& record, bool drop) {
  if (record.dropped == drop) return;
  if (drop) Notify(window, CBN_DROPDOWN);
  record.dropped = drop;
  InvalidateRect(window, nullptr, TRUE);
  if (!drop) Notify(window, CBN_CLOSEUP);
}

void Paint(HWND window, ComboBoxRecord& record, HDC dc, const RECT& client) {
  int line = LineHeight(window, record.font);
  RECT field{client.left, client.top, client.right, std::min<LONG>(client.bottom, client.top + line + 6)};
  bool enabled = IsWindowEnabled(window) != FALSE;
  HBRUSH brush = ColorsFromParent(window, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &field, brush);
  gdi::Outline(dc, field, GetSysColor(record.focused ? COLOR_HIGHLIGHT : COLOR_WINDOWFRAME));
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  LONG arrow = field.bottom - field.top;
  RECT textRect{field.left + 3, field.top, field.right - arrow, field.bottom};
  auto text = TextOf(window);
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  // The drop-down arrow: a small triangle of lines.
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  HGDIOBJ previousPen = SelectObject(dc, pen);
  LONG cx = field.right - arrow / 2, cy = field.top + arrow / 2;
  for (LONG i = 0; i < arrow / 4; ++i) {
    MoveToEx(dc, cx - arrow / 4 + i, cy - arrow / 8 + i, nullptr);
    LineTo(dc, cx + arrow / 4 - i + 1, cy - arrow / 8 + i);
  }
  SelectObject(dc, previousPen);
  DeleteObject(pen);
  if (record.dropped) {
    RECT list{client.left, field.bottom, client.right, client.bottom};
    HBRUSH listBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    FillRect(dc, &list, listBrush);
    DeleteObject(listBrush);
    gdi::Outline(dc, list, GetSysColor(COLOR_WINDOWFRAME));
    for (int index = 0, y = field.bottom; index < record.items.Count() && y < client.bottom; ++index, y += line) {
      RECT row{list.left + 1, y, list.right - 1, y + line};
      bool selected = index == record.items.Selection();
      if (selected) {
        HBRUSH highlight = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
        FillRect(dc, &row, highlight);
        DeleteObject(highlight);
      }
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      RECT rowText{row.left + 2, row.top, row.right, row.bottom};
      DrawTextW(dc, record.items.Text(index).c_str(), -1, &rowText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
}

LRESULT Changed(HWND window, LRESULT result) {
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

}  // namespace

bool ChooseComboItem(HWND window, int index) {
  auto record = RecordOf<ComboBoxRecord>(window);
  if (!record || !record->items.Has(index) || !IsWindowEnabled(window)) return false;
  SetFocus(window);
  SendMessageW(window, CB_SHOWDROPDOWN, TRUE, 0);
  bool changed = record->items.Selection() != index;
  record->items.Select(index);
  ShowChoice(window, *record);
  if (changed) Notify(window, CBN_SELCHANGE);
  Notify(window, CBN_SELENDOK);
  SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
  return true;
}

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // As on Win32, the scroll bar styles belong to the dropped list: the field itself has no scroll bar.
  if (message == WM_CREATE)
    SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL));
  auto record = RecordOf<ComboBoxRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  auto& items = record->items;
  int index = static_cast<int>(wParam);
  auto text = [&] { return lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string(); };
  switch (message) {
    case CB_ADDSTRING:
      return Changed(window, items.Add(text(), (GetWindowLongW(window, GWL_STYLE) & CBS_SORT) != 0));
    case CB_INSERTSTRING:
      return Changed(window, items.Insert(index, text()));
    case CB_DELETESTRING: {
      int selection = items.Selection();
      LRESULT result = items.Erase(index);
      if (selection != items.Selection()) ShowChoice(window, *record);
      return Changed(window, result);
    }
    case CB_RESETCONTENT:
      items.Clear();
      ShowChoice(window, *record);
      return CB_OKAY;
    case CB_GETCOUNT:
      return items.Count();
    case CB_SETCURSEL:
      if (index != -1 && !items.Has(index)) return CB_ERR;
      items.Select(index);
      ShowChoice(window, *record);
      return index == -1 ? CB_ERR : index;
    case CB_GETCURSEL:
      return items.Selection() < 0 ? CB_ERR : items.Selection();
    case CB_GETLBTEXT:
      return items.CopyText(index, lParam);
    case CB_GETLBTEXTLEN:
      return items.TextLength(index);
    case CB_GETITEMDATA:
      return items.DataOf(index);
    case CB_SETITEMDATA:
      return items.SetDataOf(index, lParam);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      return items.Find(index, text(), message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
      int found = items.SelectString(index, text());
      if (found == CB_ERR) return CB_ERR;
      ShowChoice(window, *record);
      return found;
    }
    case CB_SHOWDROPDOWN:
      Drop(window, *record, wParam != 0);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return record->dropped ? TRUE : FALSE;
    case CB_LIMITTEXT:
      return TRUE;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      Drop(window, *record, !record->dropped);
      return 0;
    case WM_KEYDOWN:
      if ((wParam == VK_DOWN && items.Has(items.Selection() + 1)) || (wParam == VK_UP && items.Selection() > 0)) {
        items.Select(items.Selection() + (wParam == VK_DOWN ? 1 : -1));
        ShowChoice(window, *record);
        Notify(window, CBN_SELCHANGE);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TrackFocus(window, message, record->focused);
      if (message == WM_KILLFOCUS) Drop(window, *record, false);
      Notify(window, message == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
      return 0;
    default:
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::controls
