// What the standard controls share: telling the parent (WM_COMMAND), asking it for colours
// (WM_CTLCOLOR...), and painting with the control's font.
#pragma once

#include <string>

#include <windows.h>

namespace handset::controls {

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

// The height of a line of text in the font: what list items and edit fields are sized by.
int LineHeight(HWND control, HFONT font);

// Frames `rect` with a one-pixel line of `color`.
void FrameRect(HDC dc, const RECT& rect, COLORREF color);

}  // namespace handset::controls
