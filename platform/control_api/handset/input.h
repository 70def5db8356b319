// Control API of the handset's input: a person's taps, drags and keys as the device's input thread
// delivers them. Each call may come from any thread and returns at once; the input is queued to
// the thread of the window it is for and reaches that window when the thread next looks into its
// queue (its modal loop or GetMessageW), in the order given.
// - A pointer event goes to the window under the point at that moment, as WindowFromPoint finds
//   it (the topmost visible top-level window that holds the point, then its deepest visible
//   child there; a static text is passed through), or to the window holding the capture
//   (SetCapture). A disabled window, and so the owner behind a modal window, receives nothing.
//   The message carries the point in the window's client coordinates, as on Win32.
// - A key goes to the focus window of the foreground thread (its active window when nothing has
//   the focus); TranslateMessage makes its characters. The soft keys are VK_F1 (left) and VK_F2
//   (right), as Windows Mobile maps them: they press the keys of the soft-key bar serving the
//   active window. The d-pad is VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT and the action key VK_RETURN.
// - Text from the input panel reaches the focus window as one WM_CHAR per UTF-16 unit.
#pragma once

#include <string_view>

#include <windows.h>

namespace handset::input {

void Tap(int x, int y);  // pointer down and up at a screen point
void PointerDown(int x, int y);
void PointerMove(int x, int y);
void PointerUp(int x, int y);
void Key(UINT virtualKey);  // a hardware key: down, then up
void Type(std::u16string_view text);  // text from the input panel, one WM_CHAR per unit

}  // namespace handset::input
