#include "controls/control_support.h"

namespace handset::controls {

void Notify(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HBRUSH ColorsFromParent(HWND control, HDC dc, UINT message) {
  HWND parent = GetParent(control);
  auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(control)))
                      : nullptr;
  if (!brush)
    brush = reinterpret_cast<HBRUSH>(
        DefWindowProcW(control, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  return brush;
}

std::u16string TextOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

FontScope::FontScope(HDC dc, HFONT font)
    : dc_(dc), previous_(SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT))) {}

FontScope::~FontScope() {
  if (previous_) SelectObject(dc_, previous_);
}

int ScaledToScreen(HWND window, int pixels) {
  HDC dc = GetDC(window);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(window, dc);
  return pixels * dpi / 96;
}

int LineHeight(HWND control, HFONT font) {
  HDC dc = GetDC(control);
  int height = 16;
  if (dc) {
    FontScope scope(dc, font);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) height = metrics.tmHeight + metrics.tmExternalLeading;
    ReleaseDC(control, dc);
  }
  return height;
}

void TrackFocus(HWND control, UINT message, bool& focused) {
  focused = message == WM_SETFOCUS;
  InvalidateRect(control, nullptr, TRUE);
}

LRESULT SetTextAndRepaint(HWND control, WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcW(control, WM_SETTEXT, wParam, lParam);
  InvalidateRect(control, nullptr, TRUE);
  return result;
}

LRESULT PaintingDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam, const PaintFunction& paint) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the background is painted with the rest in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(control, &ps);
      if (!dc) return 0;
      RECT client;
      GetClientRect(control, &client);
      paint(dc, client);
      EndPaint(control, &ps);
      return 0;
    }
    case WM_ENABLE:
      InvalidateRect(control, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcW(control, message, wParam, lParam);
  }
}

}  // namespace handset::controls
