// InitCommonControlsEx: the common control classes exist for a program once it has asked for them,
// as on the device. Asking again is no error.
#include <commctrl.h>

#include "commctrl/common_controls.h"
#include "commctrl/tab_control.h"
#include "core/api_guard.h"

using handset::core::Guarded;

namespace handset::commctrl {

bool RegisterTabControlClass() {
  WNDCLASSW c{};
  c.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  c.lpfnWndProc = TabControlProc;
  c.lpszClassName = WC_TABCONTROLW;
  if (RegisterClassW(&c)) return true;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace handset::commctrl

extern "C" BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if ((init->dwICC & ICC_TAB_CLASSES) && !handset::commctrl::RegisterTabControlClass()) return FALSE;
    return TRUE;
  });
}
