// The "button" class: push buttons, check boxes (two- and three-state, automatic or not), radio
// buttons and group boxes. A click (a tap, BM_CLICK, or the space bar) tells the parent
// BN_CLICKED; automatic check boxes and radio buttons change their own state first. A press takes
// the capture: the button looks pushed while the pointer stays on it, and a release away from it
// clicks nothing.
// Messages: BM_GETCHECK, BM_SETCHECK, BM_GETSTATE, BM_SETSTATE, BM_SETSTYLE, BM_CLICK,
// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_KEYDOWN, WM_KEYUP, WM_SETFOCUS,
// WM_KILLFOCUS, WM_GETDLGCODE, WM_SETTEXT.
#include <windows.h>

#include "controls/control_support.h"
#include "controls/standard_classes.h"
#include "controls/text_areas.h"
#include "gdi/outline.h"

namespace handset::controls {
namespace {

struct ButtonRecord {
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
  HFONT font = nullptr;
};

UINT TypeOf(HWND window) { return static_cast<UINT>(GetWindowLongW(window, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckable(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
         type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsPushButton(UINT type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON; }

void SetCheck(HWND window, ButtonRecord& record, UINT check) {
  UINT type = TypeOf(window);
  if (!IsCheckable(type)) return;
  if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
  if (record.check == check) return;
  record.check = check;
  InvalidateRect(window, nullptr, TRUE);
}

// An automatic radio button that is checked unchecks the others of its group: the siblings
// around it up to the controls that carry WS_GROUP.
void UncheckGroup(HWND window) {
  HWND parent = GetParent(window);
  if (!parent) return;
  HWND first = window;
  while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != first && (GetWindowLongW(sibling, GWL_STYLE) & WS_GROUP)) break;
    if (sibling != window && TypeOf(sibling) == BS_AUTORADIOBUTTON) SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND window, ButtonRecord& record) {
  switch (TypeOf(window)) {
    case BS_AUTOCHECKBOX:
      SetCheck(window, record, record.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(window, record, (record.check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheck(window, record, BST_CHECKED);
      UncheckGroup(window);
      break;
    default:
      break;
  }
  Notify(window, BN_CLICKED);
}

// Whether a pointer message's point (client coordinates) lies on the button.
bool OnButton(HWND window, LPARAM point) {
  RECT client;
  GetClientRect(window, &client);
  int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
  return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

void Press(HWND window, ButtonRecord& record, bool pushed) {
  if (record.pushed == pushed) return;
  record.pushed = pushed;
  InvalidateRect(window, nullptr, TRUE);
}

void PaintCheckMark(HDC dc, const RECT& box, UINT check, COLORREF color) {
  if (check == BST_UNCHECKED) return;
  HPEN pen = CreatePen(PS_SOLID, 2, color);
  HGDIOBJ previous = SelectObject(dc, pen);
  LONG w = box.right - box.left, h = box.bottom - box.top;
  MoveToEx(dc, box.left + w / 5, box.top + h / 2, nullptr);
  LineTo(dc, box.left + w * 2 / 5, box.bottom - h / 4);
  LineTo(dc, box.right - w / 5, box.top + h / 4);
  SelectObject(dc, previous);
  DeleteObject(pen);
  if (check == BST_INDETERMINATE) {
    RECT inner{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
    HBRUSH gray = CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT));
    FillRect(dc, &inner, gray);
    DeleteObject(gray);
  }
}

// The square of a check box or radio button: at the left of the client area, or at its right with
// BS_LEFTTEXT, centred in its height.
RECT CheckSquare(HWND window, const RECT& client) {
  int size = GetSystemMetrics(SM_CXSMICON) * 13 / 16;
  LONG top = client.top + ((client.bottom - client.top) - size) / 2;
  bool leftText = (GetWindowLongW(window, GWL_STYLE) & BS_LEFTTEXT) != 0;
  return leftText ? RECT{client.right - size, top, client.right, top + size}
                  : RECT{client.left, top, client.left + size, top + size};
}

TextArea TextAreaIn(HWND window, const RECT& client, HFONT font) {
  UINT type = TypeOf(window);
  if (IsPushButton(type) || type == BS_OWNERDRAW) return TextArea{client, DT_CENTER | DT_VCENTER | DT_SINGLELINE};
  if (type == BS_GROUPBOX) {
    int line = LineHeight(window, font);
    return TextArea{{client.left + 6, client.top, client.right - 6, client.top + line}, DT_LEFT | DT_TOP | DT_SINGLELINE};
  }
  RECT box = CheckSquare(window, client);
  bool leftText = (GetWindowLongW(window, GWL_STYLE) & BS_LEFTTEXT) != 0;
  RECT text = leftText ? RECT{client.left, client.top, box.left - 4, client.bottom}
                       : RECT{box.right + 4, client.top, client.right, client.bottom};
  return TextArea{text, DT_LEFT | DT_VCENTER | DT_SINGLELINE};
}

void Paint(HWND window, ButtonRecord& record, HDC dc, const RECT& client) {
  UINT type = TypeOf(window);
  bool enabled = IsWindowEnabled(window) != FALSE;
  FontScope font(dc, record.font);
  auto text = TextOf(window);
  HBRUSH brush = ColorsFromParent(window, dc, IsPushButton(type) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &client, brush);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

  if (IsPushButton(type) || type == BS_OWNERDRAW) {
    if (record.pushed) {
      HBRUSH pushedBrush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
      FillRect(dc, &client, pushedBrush);
      DeleteObject(pushedBrush);
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    gdi::Outline(dc, client, GetSysColor(COLOR_WINDOWFRAME));
    if (type == BS_DEFPUSHBUTTON) {
      RECT inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
      gdi::Outline(dc, inner, GetSysColor(COLOR_WINDOWFRAME));
    }
  } else if (type == BS_GROUPBOX) {
    int line = LineHeight(window, record.font);
    RECT frame{client.left, client.top + line / 2, client.right, client.bottom};
    gdi::Outline(dc, frame, GetSysColor(COLOR_WINDOWFRAME));
  } else {
    RECT box = CheckSquare(window, client);
    HBRUSH boxBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    FillRect(dc, &box, boxBrush);
    DeleteObject(boxBrush);
    gdi::Outline(dc, box, GetSysColor(COLOR_WINDOWFRAME));
    PaintCheckMark(dc, box, record.check, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  }
  TextArea area = TextAreaIn(window, client, record.font);
  DrawTextW(dc, text.c_str(), -1, &area.rect, area.format);
  if (record.focused && !IsPushButton(type)) {
    RECT focus{client.left, client.top, client.right, client.bottom};
    gdi::Outline(dc, focus, GetSysColor(COLOR_HIGHLIGHT));
  }
}

}  // namespace

TextArea ButtonTextArea(HWND control) {
  auto record = windows::WindowPrivate<ButtonRecord>(control);
  RECT client{};
  GetClientRect(control, &client);
  return TextAreaIn(control, client, record ? record->font : nullptr);
}

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = RecordOf<ButtonRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case BM_GETCHECK:
      return record->check;
    case BM_SETCHECK:
      SetCheck(window, *record, static_cast<UINT>(wParam));
      return 0;
    case BM_GETSTATE:
      return record->check | (record->pushed ? BST_PUSHED : 0) | (record->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      Press(window, *record, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
      SetWindowLongW(window, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case BM_CLICK:
      // What a tap does; a disabled button cannot be tapped.
      if (!IsWindowEnabled(window)) return 0;
      SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
      SendMessageW(window, WM_LBUTTONUP, 0, 0);
      return 0;
    case WM_LBUTTONDOWN:
      if (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) SetFocus(window);
      SetCapture(window);
      Press(window, *record, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) Press(window, *record, OnButton(window, lParam));
      return 0;
    case WM_LBUTTONUP: {
      bool held = GetCapture() == window;
      bool click = record->pushed && (!held || OnButton(window, lParam));
      Press(window, *record, false);
      if (held) ReleaseCapture();
      if (click) Click(window, *record);
      return 0;
    }
    case WM_CAPTURECHANGED:
      Press(window, *record, false);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) Press(window, *record, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && record->pushed) {
        Press(window, *record, false);
        Click(window, *record);
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TrackFocus(window, message, record->focused);
      if (GetWindowLongW(window, GWL_STYLE) & BS_NOTIFY)
        Notify(window, message == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: {
      UINT type = TypeOf(window);
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      if (type == BS_GROUPBOX) return DLGC_STATIC;
      return DLGC_BUTTON;
    }
    case WM_SETTEXT:
      return SetTextAndRepaint(window, wParam, lParam);
    default:
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::controls
