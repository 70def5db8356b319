// The device's soft keys: VK_F1 and VK_F2, as Windows Mobile maps the left and right soft key,
// press the keys of the soft-key bar serving the active window when they are released, before
// any window hears them. With no bar up the keys reach the focus window like any other key.
#include "core/handset.h"
#include "shell/menu_bar.h"
#include "windows/hardware_input.h"

namespace handset::shell {
namespace {

bool TakeSoftKey(HWND active, UINT virtualKey, bool pressed) {
  if (virtualKey != VK_F1 && virtualKey != VK_F2) return false;
  HWND bar = active ? SoftKeyBarFor(active) : nullptr;
  if (!bar) return false;
  if (!pressed) PressSoftKey(bar, virtualKey == VK_F1 ? 1 : 2);
  return true;
}

void InstallSoftKeys(windows::HardwareKeys& keys) { keys.InstallHook(TakeSoftKey); }

const core::WhenMade<windows::HardwareKeys> kSoftKeys(InstallSoftKeys);

}  // namespace
}  // namespace handset::shell
