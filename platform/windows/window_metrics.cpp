#include "windows/window_metrics.h"

#include "core/handset.h"
#include "screen/screen.h"

namespace handset::windows {
namespace {

// The measures at 96 dots per inch; the 192-dpi screens double all but the one-pixel borders.
int Scaled(int pixels) { return pixels * core::State<screen::Screen>().Dpi() / 96; }

}  // namespace

std::optional<int> WindowMetric(int index) {
  switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return Scaled(13);
    case SM_CYCAPTION:
      return Scaled(26);
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return Scaled(3);
    case SM_CXICON:
    case SM_CYICON:
      return Scaled(32);
    case SM_CXSMICON:
    case SM_CYSMICON:
      return Scaled(16);
    default:
      return std::nullopt;
  }
}

RECT NonClientInsets(DWORD style) {
  RECT insets{0, 0, 0, 0};
  int frame = 0;
  if (style & WS_DLGFRAME)
    frame = *WindowMetric(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    frame = 1;
  insets = {frame, frame, frame, frame};
  if ((style & WS_CAPTION) == WS_CAPTION) insets.top += *WindowMetric(SM_CYCAPTION);
  if (style & WS_VSCROLL) insets.right += *WindowMetric(SM_CXVSCROLL);
  if (style & WS_HSCROLL) insets.bottom += *WindowMetric(SM_CYHSCROLL);
  return insets;
}

}  // namespace handset::windows
