// The Windows CE power functions: the battery reading and the idle-timer reset.
#include "core/api_guard.h"
#include "core/handset.h"
#include "devices/power_state.h"

#include <windows.h>

using handset::core::Guarded;

extern "C" {

// Every reading is a fresh one, so the update flag changes nothing.
BOOL GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!status) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    auto reading = handset::core::State<handset::devices::PowerState>().Read();
    if (!reading) {
      SetLastError(ERROR_GEN_FAILURE);
      return FALSE;
    }
    *status = *reading;
    return TRUE;
  });
}

void SystemIdleTimerReset(void) { handset::core::State<handset::devices::PowerState>().CountIdleReset(); }

}  // extern "C"
