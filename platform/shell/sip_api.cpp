// SipGetInfo and SipShowIM over the handset's input panel.
#include <sipapi.h>
#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "shell/input_panel.h"

using handset::core::Guarded;

extern "C" {

BOOL SipGetInfo(SIPINFO* info) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    auto& panel = handset::core::State<handset::shell::InputPanel>();
    info->fdwFlags = SIPF_DOCKED | (panel.Shown() ? SIPF_ON : SIPF_OFF);
    info->rcSipRect = panel.Rect();
    info->rcVisibleDesktop = panel.VisibleDesktop();
    return TRUE;
  });
}

BOOL SipShowIM(DWORD flags) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    handset::core::State<handset::shell::InputPanel>().Show((flags & SIPF_ON) != 0);
    return TRUE;
  });
}

}  // extern "C"
