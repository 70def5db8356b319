// Where the standard controls draw their own text: the rectangle (client coordinates) and the
// DrawTextW format their painting uses, so that what measures the text against the room it has
// (the screen audit) measures the very room the control paints into.
#pragma once

#include <optional>

#include <windows.h>

namespace handset::controls {

struct TextArea {
  RECT rect;
  UINT format;
};

// A static control's text; none for an icon or a bitmap.
std::optional<TextArea> StaticTextArea(HWND control);
// A button's label: a push button's (or owner-drawn button's) face, a check box's or radio
// button's room beside its square, a group box's caption in its top edge.
TextArea ButtonTextArea(HWND control);

}  // namespace handset::controls
