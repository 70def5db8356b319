// What a person does at the handset besides screen input: turning it, the input panel's button,
// switching to another application. The scripted user's steps and a live handset share them.
#include <windows.h>

#include "handset/shell.h"
#include "handset/user.h"
#include "user/screen_turn.h"
#include "windows/window_manager.h"

namespace handset::user {

std::string TurnScreen(int width, int height) { return TurnScreen(actions::Rotate{width, height, 0}); }

void SetInputPanel(bool shown) {
  shell::ShowInputPanel(shown);
  for (HWND window : windows::Windows().TopLevel()) SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
}

void SwitchAway() { windows::Windows().Activate(nullptr); }

}  // namespace handset::user
