// The "static" class: text (left, centred, right, with or without word wrap), an icon (SS_ICON)
// or a bitmap (SS_BITMAP). An image named by the window's title at creation (a dialog template's
// resource ordinal) is loaded from the creating instance and belongs to the control until
// STM_SETIMAGE hands it back; an image set by STM_SETIMAGE stays the caller's.
#include <windows.h>

#include "controls/control_support.h"
#include "controls/standard_classes.h"
#include "controls/text_areas.h"

namespace handset::controls {
namespace {

struct StaticRecord {
  HANDLE image = nullptr;
  bool ownsImage = false;
  HFONT font = nullptr;
};

DWORD KindOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & SS_TYPEMASK; }

void ReleaseOwnedImage(HWND window, StaticRecord& record) {
  if (!record.ownsImage || !record.image) return;
  if (KindOf(window) == SS_ICON)
    DestroyIcon(static_cast<HICON>(record.image));
  else
    DeleteObject(record.image);
  record.image = nullptr;
  record.ownsImage = false;
}

// A bitmap static takes the size of its bitmap, whatever size it was made with, as on the device;
// with SS_CENTERIMAGE its midpoint stays where it was.
void FitToBitmap(HWND window, HANDLE image) {
  BITMAP info{};
  if (!image || !GetObjectW(image, sizeof info, &info)) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<LPPOINT>(&rect), 2);
  bool centre = (GetWindowLongW(window, GWL_STYLE) & SS_CENTERIMAGE) != 0;
  int x = centre ? (rect.left + rect.right - info.bmWidth) / 2 : rect.left;
  int y = centre ? (rect.top + rect.bottom - info.bmHeight) / 2 : rect.top;
  SetWindowPos(window, nullptr, x, y, info.bmWidth, info.bmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoadImageNamed(HWND window, StaticRecord& record, const CREATESTRUCTW& create) {
  if (!create.lpszName || (!IS_INTRESOURCE(create.lpszName) && !*create.lpszName)) return;
  DWORD kind = create.style & SS_TYPEMASK;
  if (kind == SS_ICON)
    record.image = LoadIconW(create.hInstance, create.lpszName);
  else if (kind == SS_BITMAP)
    record.image = LoadBitmapW(create.hInstance, create.lpszName);
  record.ownsImage = record.image != nullptr;
  if (kind == SS_BITMAP) FitToBitmap(window, record.image);
}

UINT TextFormat(DWORD style) {
  UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  if (style & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT:
      return format | DT_RIGHT | DT_WORDBREAK;
    case SS_LEFTNOWORDWRAP:
      return format | DT_LEFT | DT_SINGLELINE;
    default:
      return format | DT_LEFT | DT_WORDBREAK;
  }
}

void PaintBitmap(HDC dc, HBITMAP bitmap, const RECT& client, bool centre) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  int x = centre ? (client.right - info.bmWidth) / 2 : 0;
  int y = centre ? (client.bottom - info.bmHeight) / 2 : 0;
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void Paint(HWND window, StaticRecord& record, HDC dc, const RECT& client) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  HBRUSH brush = ColorsFromParent(window, dc, WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &client, brush);
  bool centre = (style & SS_CENTERIMAGE) != 0;
  switch (style & SS_TYPEMASK) {
    case SS_ICON:
      if (record.image) {
        int size = GetSystemMetrics(SM_CXICON);
        DrawIcon(dc, centre ? (client.right - size) / 2 : 0, centre ? (client.bottom - size) / 2 : 0,
                 static_cast<HICON>(record.image));
      }
      break;
    case SS_BITMAP:
      if (record.image) PaintBitmap(dc, static_cast<HBITMAP>(record.image), client, centre);
      break;
    default: {
      FontScope font(dc, record.font);
      SetBkMode(dc, TRANSPARENT);
      if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      auto text = TextOf(window);
      RECT textRect = client;
      if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &textRect, TextFormat(style));
      break;
    }
  }
}

// STM_SETIMAGE / STM_GETIMAGE work only with the image kind of the control's style.
bool KindMatches(HWND window, WPARAM imageType) {
  DWORD kind = KindOf(window);
  return (imageType == IMAGE_ICON && kind == SS_ICON) || (imageType == IMAGE_BITMAP && kind == SS_BITMAP);
}

}  // namespace

std::optional<TextArea> StaticTextArea(HWND control) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  if ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP) return std::nullopt;
  RECT client{};
  GetClientRect(control, &client);
  return TextArea{client, TextFormat(style)};
}

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = RecordOf<StaticRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      LoadImageNamed(window, *record, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
      WPARAM type = message == STM_SETICON ? IMAGE_ICON : wParam;
      HANDLE image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
      if (!KindMatches(window, type)) return 0;
      // An image the control loaded itself goes to the caller, who now answers for it.
      HANDLE previous = record->image;
      record->image = image;
      record->ownsImage = false;
      if (type == IMAGE_BITMAP) FitToBitmap(window, image);
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
    case STM_GETICON:
      if (!KindMatches(window, message == STM_GETICON ? IMAGE_ICON : wParam)) return 0;
      return reinterpret_cast<LRESULT>(record->image);
    case WM_SETTEXT:
      return SetTextAndRepaint(window, wParam, lParam);
    case WM_LBUTTONUP:
      if (GetWindowLongW(window, GWL_STYLE) & SS_NOTIFY) Notify(window, STN_CLICKED);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_DESTROY:
      ReleaseOwnedImage(window, *record);
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
    default:
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::controls
