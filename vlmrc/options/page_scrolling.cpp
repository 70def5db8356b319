#include "options/page_scrolling.h"

#include "ui/scroll_controls.h"

#define SCROLL_LINE_STEP 10

BOOL ScrollRequestTarget(HWND page, WPARAM wParam, int pageStep, int* target) {
  int code = LOWORD(wParam);
  int base = (short)HIWORD(wParam);
  int step;
  switch (code) {
    case SB_LINEUP: step = -SCROLL_LINE_STEP; break;
    case SB_LINEDOWN: step = SCROLL_LINE_STEP; break;
    case SB_PAGEUP: step = -pageStep; break;
    case SB_PAGEDOWN: step = pageStep; break;
    case SB_THUMBTRACK: *target = base; return TRUE;
    default: return FALSE;
  }
  if (HIWORD(wParam) == 0) base = GetVertScrollPos(page);
  *target = base + step;
  return TRUE;
}
