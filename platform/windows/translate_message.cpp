// TranslateMessage: a key press that stands for a character posts WM_CHAR with it. The handset's
// keys carry no shift state yet, so letters come out in lower case.
#include <windows.h>

#include "core/api_guard.h"
#include "windows/window_manager.h"

using handset::core::Guarded;

namespace {

WCHAR CharacterOf(WPARAM virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<WCHAR>(virtualKey - 'A' + 'a');
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<WCHAR>(virtualKey);
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return static_cast<WCHAR>(virtualKey - VK_NUMPAD0 + '0');
  switch (virtualKey) {
    case VK_SPACE:
      return u' ';
    case VK_RETURN:
      return u'\r';
    case VK_BACK:
      return u'\b';
    case VK_TAB:
      return u'\t';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return 0;
  }
}

}  // namespace

extern "C" BOOL TranslateMessage(const MSG* msg) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP)) return FALSE;
    // Win32 reports every key message as translated, whether or not it made a character.
    if (msg->message == WM_KEYDOWN) {
      if (WCHAR c = CharacterOf(msg->wParam)) handset::windows::Windows().Post(msg->hwnd, WM_CHAR, c, msg->lParam);
    }
    return TRUE;
  });
}
