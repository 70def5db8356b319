// The look of the painted labels: one module-wide LabelStyle that every painted label reads, and a
// LabelStyle per painted-label dialog that keeps the label's previous window procedure.
#pragma once

#include <windows.h>

// Option bit 0: fill the background with the style's background colour instead of the parent's
// static-control brush.
#define LABEL_OPTION_OWN_BACKGROUND 0x00000001

#define LABEL_WEIGHT_BOLD 600
#define LABEL_WEIGHT_NORMAL 400

class LabelStyle {
 public:
  // Stores the owner, then sets the look (InitLabelStyle).
  explicit LabelStyle(HWND owner);
  // Releases nothing: a style holds no window-system objects.
  virtual ~LabelStyle() {}

  // The default look: window background, highlight text, a 1-pixel window-frame rule, bold text
  // 6 pixels in from the left and top. Option bit 0 is cleared; the other bits are kept.
  void InitLabelStyle();
  // Sets the weight of the shared style, whatever style it is invoked through: all painted labels
  // of the process look alike.
  static void SetLabelBold(BOOL bold);

  HWND hwndOwner = NULL;        // the dialog owning this style; NULL for the shared style
  WNDPROC pfnPrevProc = NULL;   // the label's procedure before PaintedLabelProc; its owner restores it
  COLORREF crBackground = 0;    // fill colour with LABEL_OPTION_OWN_BACKGROUND
  COLORREF crText = 0;
  LONG lWeight = 0;             // lfWeight of the label font
  BYTE bReserved = 0;           // not read by the label
  UINT uFormat = 0;             // DrawText flags added to the label's own
  COLORREF crLine = 0;          // the bottom rule
  LONG lLineWidth = 0;          // pixels
  LONG lTextInset = 0;          // pixels from the client area's left and top edges
  DWORD dwOptions = 0;
};

// Built on process attach, before the entry point runs; its destruction is an exit routine.
extern LabelStyle SharedLabelStyle;
