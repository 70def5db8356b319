// The timer procedure through which the host keeps the device from idling during a call, and
// which warns the host's worker window when the battery runs low.
#include <windows.h>

#include <vlmrc/vlmrc.h>

namespace {

// Below this percentage the battery counts as low. 255, "no reading", does not.
const DWORD LOW_BATTERY_PERCENT = 15;

}  // namespace

extern "C" {

void WINAPI AvoidSystemIdle(HWND window, UINT message, UINT_PTR timerId, DWORD time) {
  if (message != WM_TIMER) return;
  SystemIdleTimerReset();
  DWORD percent = 0;
  DWORD flags = 0;
  // A failed reading is no news about the battery, so only a real low reading is reported.
  if (!GetBattery(&percent, &flags) || percent >= LOW_BATTERY_PERCENT) return;
  HWND worker = FindWindowW(VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE);
  if (worker != NULL) SendMessageW(worker, WM_LOW_BATTERY, percent, 0);
}

}  // extern "C"
