// SipGetInfo and SipShowIM over the handset's input panel.
#include <sipapi.h>
#include <windows.h>

#include "core/handset.h"
#include "shell/input_panel.h"

extern "C" {

BOOL SipGetInfo(SIPINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& panel = handset::core::State<handset::shell::InputPanel>();
  info->fdwFlags = SIPF_DOCKED | (panel.Shown() ? SIPF_ON : SIPF_OFF);
  info->rcSipRect = panel.Rect();
  info->rcVisibleDesktop = panel.VisibleDesktop();
  return TRUE;
}

BOOL SipShowIM(DWORD flags) {
  handset::core::State<handset::shell::InputPanel>().Show((flags & SIPF_ON) != 0);
  return TRUE;
}

}  // extern "C"
