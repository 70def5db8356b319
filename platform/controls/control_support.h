// What the standard controls share: telling the parent (WM_COMMAND), asking it for colours
// (WM_CTLCOLOR...), painting with the control's font, and the messages they all answer alike.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include "windows/window_private.h"

namespace handset::controls {

// The control's own state (its items, its font), kept in the control's window: made at its first
// message, gone with the window. Null for a handle that is no longer a window, or one on its way
// out that never had a record: a message that comes that late is left to DefWindowProcW.
template <class Record>
std::shared_ptr<Record> RecordOf(HWND control) {
  return windows::WindowPrivateOrNew<Record>(control);
}

// WM_COMMAND to the parent with the control's id and the notification code.
void Notify(HWND control, WORD code);

// The brush the parent gives for painting `control` (WM_CTLCOLOR... with the device context),
// after the parent has set the text and background colours; the default colours when the parent
// leaves the message to the system.
HBRUSH ColorsFromParent(HWND control, HDC dc, UINT message);

// The window's text as a string.
std::u16string TextOf(HWND window);

// Selects the control's font (or the system font when it has none) for the lifetime of the
// object, and the previous font back afterwards.
class FontScope {
 public:
  FontScope(HDC dc, HFONT font);
  ~FontScope();
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A measure given at 96 dots per inch, grown with the resolution of the screen the window is on.
int ScaledToScreen(HWND window, int pixels);

// The height of a line of text in the font: what list items and edit fields are sized by.
int LineHeight(HWND control, HFONT font);

// WM_SETFOCUS / WM_KILLFOCUS: notes whether the control has the focus and repaints it. What the
// parent is told of it differs between the controls and stays with each.
void TrackFocus(HWND control, UINT message, bool& focused);

// WM_SETTEXT for a control that shows its text as it is: stored as every window's, then repainted.
LRESULT SetTextAndRepaint(HWND control, WPARAM wParam, LPARAM lParam);

// Paints the whole client area (`client`, from (0, 0)) into the device context BeginPaint opened.
using PaintFunction = std::function<void(HDC dc, const RECT& client)>;

// What every standard control does with a message it has not handled itself: nothing to erase
// (the background is painted with the rest), `paint` between BeginPaint and EndPaint for
// WM_PAINT, a repaint when it is enabled or disabled; anything else goes to DefWindowProcW.
LRESULT PaintingDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam, const PaintFunction& paint);

// The same for a control with a record of its own: the record keeps the control's font
// (WM_SETFONT, repainting when asked to; WM_GETFONT).
template <class Record>
LRESULT ControlDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam, Record& record,
                       void (*paint)(HWND, Record&, HDC, const RECT&)) {
  switch (message) {
    case WM_SETFONT:
      record.font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(control, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(record.font);
    default:
      return PaintingDefault(control, message, wParam, lParam,
                             [&](HDC dc, const RECT& client) { paint(control, record, dc, client); });
  }
}

}  // namespace handset::controls
