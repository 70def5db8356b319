// The "combobox" class: a field showing the chosen string, and a list that drops down below it.
// CB_ messages change it without telling anyone; a choice the user makes drops the list
// (CBN_DROPDOWN), selects (CBN_SELCHANGE), confirms (CBN_SELENDOK) and closes it (CBN_CLOSEUP).
// As on Win32 the window is as high as its field; the height it was made with is the height of
// field and dropped list together, and the window grows to it while the list is down. Without
// CBS_NOINTEGRALHEIGHT the list shows whole items only. A CBS_DROPDOWN box tells CBN_SELCHANGE
// before its text changes to the new choice (the handler reads the choice with CB_GETLBTEXT); a
// CBS_DROPDOWNLIST box shows the choice as its text at once. A tap on the field drops the list or
// closes it; a tap on an entry of the dropped list chooses it when the finger lifts.
// Windows CE differs from desktop Win32, and the handset follows CE: there are no owner-drawn combo
// boxes (no CBS_OWNERDRAWFIXED or CBS_OWNERDRAWVARIABLE, no WM_MEASUREITEM) and no CBS_SIMPLE, so
// every item has one height and CB_SETITEMHEIGHT takes only -1 (the field) and 0 (the items).
// Messages: CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
// CB_SETCURSEL, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA,
// CB_FINDSTRING, CB_FINDSTRINGEXACT, CB_SELECTSTRING, CB_SHOWDROPDOWN, CB_GETDROPPEDSTATE,
// CB_GETDROPPEDCONTROLRECT, CB_GETITEMHEIGHT, CB_SETITEMHEIGHT, CB_GETDROPPEDWIDTH,
// CB_SETDROPPEDWIDTH, CB_LIMITTEXT; and GetComboBoxInfo.
#include <windows.h>

#include <algorithm>

#include "controls/control_support.h"
#include "controls/item_list.h"
#include "controls/standard_classes.h"
#include "core/api_guard.h"
#include "gdi/outline.h"

namespace handset::controls {
namespace {

// The field's border and margin above and below its item.
constexpr int kFieldMargin = 3;

struct ComboBoxRecord {
  ItemList items;
  bool dropped = false;
  bool focused = false;
  HFONT font = nullptr;
  int madeHeight = 0;      // of field and dropped list together, as the window was made
  int fieldItemHeight = 0;  // CB_SETITEMHEIGHT -1; 0: the font's line
  int listItemHeight = 0;   // CB_SETITEMHEIGHT 0; 0: the font's line
  int droppedWidth = 0;     // CB_SETDROPPEDWIDTH; the list is never narrower than the field
  bool fitting = false;     // the box is setting its own height
};

int FieldItemHeight(HWND window, const ComboBoxRecord& record) {
  return record.fieldItemHeight ? record.fieldItemHeight : LineHeight(window, record.font);
}

int FieldHeight(HWND window, const ComboBoxRecord& record) {
  return FieldItemHeight(window, record) + 2 * kFieldMargin;
}

int ListItemHeight(HWND window, const ComboBoxRecord& record) {
  return record.listItemHeight ? record.listItemHeight : LineHeight(window, record.font);
}

// The dropped list's height: what the window was made with below the field, in whole items unless
// CBS_NOINTEGRALHEIGHT, and at least one item.
int ListHeight(HWND window, const ComboBoxRecord& record) {
  int item = std::max(1, ListItemHeight(window, record));
  int room = std::max(item, record.madeHeight - FieldHeight(window, record));
  if (GetWindowLongW(window, GWL_STYLE) & CBS_NOINTEGRALHEIGHT) return room;
  return room / item * item;
}

int Width(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

int DroppedWidth(HWND window, const ComboBoxRecord& record) { return std::max(record.droppedWidth, Width(window)); }

int FittingHeight(HWND window, const ComboBoxRecord& record) {
  return FieldHeight(window, record) + (record.dropped ? ListHeight(window, record) : 0);
}

// Gives the window the height of its field, or of field and list while the list is down.
void FitHeight(HWND window, ComboBoxRecord& record) {
  record.fitting = true;
  SetWindowPos(window, nullptr, 0, 0, Width(window), FittingHeight(window, record), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  record.fitting = false;
}

RECT FieldRect(HWND window, const ComboBoxRecord& record) {
  RECT client;
  GetClientRect(window, &client);
  return {client.left, client.top, client.right, std::min<LONG>(client.bottom, client.top + FieldHeight(window, record))};
}

// The arrow's square at the right end of the field.
RECT ButtonRect(const RECT& field) {
  LONG side = field.bottom - field.top;
  return {field.right - side, field.top, field.right, field.bottom};
}

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
  FitHeight(window, record);
  InvalidateRect(window, nullptr, TRUE);
  if (!drop) Notify(window, CBN_CLOSEUP);
}

// A choice of the user: a CBS_DROPDOWN box tells the parent before its text follows.
void UserChanges(HWND window, ComboBoxRecord& record, int index, bool notify) {
  record.items.Select(index);
  bool editable = (GetWindowLongW(window, GWL_STYLE) & 0x3) == CBS_DROPDOWN;
  if (notify && editable) Notify(window, CBN_SELCHANGE);
  ShowChoice(window, record);
  if (notify && !editable) Notify(window, CBN_SELCHANGE);
}

void Paint(HWND window, ComboBoxRecord& record, HDC dc, const RECT& client) {
  int line = ListItemHeight(window, record);
  RECT field = FieldRect(window, record);
  bool enabled = IsWindowEnabled(window) != FALSE;
  HBRUSH brush = ColorsFromParent(window, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &field, brush);
  gdi::Outline(dc, field, GetSysColor(record.focused ? COLOR_HIGHLIGHT : COLOR_WINDOWFRAME));
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT button = ButtonRect(field);
  LONG arrow = button.right - button.left;
  RECT textRect{field.left + 3, field.top, button.left, field.bottom};
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

// The entry of the dropped list under a point of the client area, or -1.
int ListRowAt(HWND window, const ComboBoxRecord& record, LPARAM point) {
  if (!record.dropped) return -1;
  int y = static_cast<short>(HIWORD(point));
  RECT field = FieldRect(window, record);
  RECT client;
  GetClientRect(window, &client);
  int line = ListItemHeight(window, record);
  if (y < field.bottom || y >= client.bottom || line <= 0) return -1;
  int row = (y - field.bottom) / line;
  return record.items.Has(row) ? row : -1;
}

LRESULT Changed(HWND window, LRESULT result) {
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

}  // namespace

static bool GetInfo(HWND window, COMBOBOXINFO& info) {
  auto record = windows::WindowPrivate<ComboBoxRecord>(window);
  if (!record || info.cbSize != sizeof(COMBOBOXINFO)) return false;
  RECT field = FieldRect(window, *record);
  info.rcButton = ButtonRect(field);
  info.rcItem = {field.left + kFieldMargin, field.top + kFieldMargin, info.rcButton.left, field.bottom - kFieldMargin};
  info.stateButton = 0;
  // The field and the dropped list are painted by the combo box's own window.
  info.hwndCombo = info.hwndItem = info.hwndList = window;
  return true;
}

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = RecordOf<ComboBoxRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_CREATE) {
    // As on Win32, the scroll bar styles belong to the dropped list: the field itself has no scroll bar.
    SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL));
    record->madeHeight = reinterpret_cast<const CREATESTRUCTW*>(lParam)->cy;
    FitHeight(window, *record);
    return 0;
  }
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
    case CB_GETDROPPEDCONTROLRECT: {
      // In screen coordinates: the box with its list down.
      if (!lParam) return CB_ERR;
      RECT rect;
      GetWindowRect(window, &rect);
      rect.right = rect.left + DroppedWidth(window, *record);
      rect.bottom = rect.top + FieldHeight(window, *record) + ListHeight(window, *record);
      *reinterpret_cast<RECT*>(lParam) = rect;
      return TRUE;
    }
    case CB_GETITEMHEIGHT:
      if (index == -1) return FieldItemHeight(window, *record);
      return index == 0 ? ListItemHeight(window, *record) : CB_ERR;
    case CB_SETITEMHEIGHT: {
      int height = static_cast<int>(lParam);
      if ((index != -1 && index != 0) || height <= 0 || height > 0xFFFF) return CB_ERR;
      (index == -1 ? record->fieldItemHeight : record->listItemHeight) = height;
      FitHeight(window, *record);
      return Changed(window, CB_OKAY);
    }
    case CB_GETDROPPEDWIDTH:
      return DroppedWidth(window, *record);
    case CB_SETDROPPEDWIDTH:
      if (static_cast<int>(wParam) < 0) return CB_ERR;
      record->droppedWidth = static_cast<int>(wParam);
      return DroppedWidth(window, *record);
    case WM_WINDOWPOSCHANGING: {
      // A height given from outside (a dialog laying out its controls) is that of field and list
      // together, as at creation; the window keeps the height of its field.
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!record->fitting && !(position->flags & SWP_NOSIZE)) {
        record->madeHeight = position->cy;
        position->cy = FittingHeight(window, *record);
      }
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_SETFONT:
      // The field follows the font's height, as a dialog's combo box does when it gets its font.
      record->font = reinterpret_cast<HFONT>(wParam);
      FitHeight(window, *record);
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case CB_LIMITTEXT:
      return TRUE;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      // A press on an entry of the dropped list waits for the release, which chooses it.
      if (ListRowAt(window, *record, lParam) < 0) Drop(window, *record, !record->dropped);
      return 0;
    case WM_LBUTTONUP: {
      int row = ListRowAt(window, *record, lParam);
      if (row < 0) return 0;
      UserChanges(window, *record, row, items.Selection() != row);
      Notify(window, CBN_SELENDOK);
      Drop(window, *record, false);
      return 0;
    }
    case WM_KEYDOWN:
      if ((wParam == VK_DOWN && items.Has(items.Selection() + 1)) || (wParam == VK_UP && items.Selection() > 0))
        UserChanges(window, *record, items.Selection() + (wParam == VK_DOWN ? 1 : -1), true);
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

extern "C" BOOL GetComboBoxInfo(HWND comboBox, PCOMBOBOXINFO info) {
  return handset::core::Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!info || !handset::controls::GetInfo(comboBox, *info)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    return TRUE;
  });
}
