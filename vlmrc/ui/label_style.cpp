#include "ui/label_style.h"

#define LABEL_TEXT_INSET 6
#define LABEL_LINE_WIDTH 1

LabelStyle SharedLabelStyle(NULL);

LabelStyle::LabelStyle(HWND owner) : hwndOwner(owner) { InitLabelStyle(); }

void LabelStyle::InitLabelStyle() {
  pfnPrevProc = NULL;
  crBackground = GetSysColor(COLOR_WINDOW);
  crText = GetSysColor(COLOR_HIGHLIGHT);
  lWeight = LABEL_WEIGHT_BOLD;
  bReserved = 0;
  uFormat = 0;
  crLine = GetSysColor(COLOR_WINDOWFRAME);
  lLineWidth = LABEL_LINE_WIDTH;
  lTextInset = LABEL_TEXT_INSET;
  dwOptions &= ~LABEL_OPTION_OWN_BACKGROUND;
}

void LabelStyle::SetLabelBold(BOOL bold) { SharedLabelStyle.lWeight = bold ? LABEL_WEIGHT_BOLD : LABEL_WEIGHT_NORMAL; }
