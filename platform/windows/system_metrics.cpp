// GetSystemMetrics: the screen's measures. Metrics of the window system's own parts (scroll bars,
// borders) belong to the window manager; an index nobody answers gives 0, as on Win32.
#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "screen/screen.h"
#include "windows/window_metrics.h"

using handset::core::Guarded;

extern "C" int GetSystemMetrics(int index) {
  return Guarded<int>(0, [&]() -> int {
    auto geometry = handset::core::State<handset::screen::Screen>().Current();
    switch (index) {
      case SM_CXSCREEN:
        return geometry.width;
      case SM_CYSCREEN:
        return geometry.height;
      default:
        return handset::windows::WindowMetric(index).value_or(0);
    }
  });
}
