#include "ui/painted_label.h"

#include "ui/display_scale.h"
#include "ui/fonts.h"
#include "ui/label_style.h"

#define LABEL_FONT_HEIGHT 14
#define LABEL_FACE_NAME TEXT("Tahoma")
#define LABEL_TEXT_UNITS 260
// The text runs to 3 pixels short of the screen's right edge, whatever the control's width.
#define LABEL_TEXT_RIGHT_MARGIN 3

// Every object is created, selected, restored and deleted within the one paint.
static void PaintLabel(HWND window) {
  const LabelStyle* style = &SharedLabelStyle;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);

  LOGFONTW logFont = {};
  logFont.lfHeight = LABEL_FONT_HEIGHT * DisplayScale;
  logFont.lfWeight = style->lWeight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_CHARACTER_PRECIS;
  logFont.lfQuality = GetFontQuality();
  lstrcpynW(logFont.lfFaceName, LABEL_FACE_NAME, LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ previousFont = NULL;
  if (font != NULL) previousFont = SelectObject(dc, font);

  HBRUSH brush = NULL;
  HGDIOBJ previousBrush = NULL;
  if (style->dwOptions & LABEL_OPTION_OWN_BACKGROUND) {
    brush = CreateSolidBrush(style->crBackground);
    if (brush != NULL) previousBrush = SelectObject(dc, brush);
    FillRect(dc, &client, brush);
  } else {
    // The parent's brush stays the parent's: neither selected nor deleted here.
    HBRUSH parentBrush = (HBRUSH)SendMessageW(GetParent(window), WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)window);
    FillRect(dc, &client, parentBrush);
  }

  HPEN pen = CreatePen(PS_SOLID, style->lLineWidth, style->crLine);
  HGDIOBJ previousPen = NULL;
  if (pen != NULL) previousPen = SelectObject(dc, pen);
  MoveToEx(dc, client.left, client.bottom - style->lLineWidth, NULL);
  LineTo(dc, client.right + 1, client.bottom - style->lLineWidth);

  WCHAR text[LABEL_TEXT_UNITS] = {0};
  GetWindowTextW(window, text, LABEL_TEXT_UNITS);
  int previousMode = SetBkMode(dc, TRANSPARENT);
  COLORREF previousColor = SetTextColor(dc, style->crText);
  RECT textRect = {client.left + style->lTextInset, client.top + style->lTextInset,
                   GetSystemMetrics(SM_CXSCREEN) - LABEL_TEXT_RIGHT_MARGIN, client.bottom};
  DrawTextW(dc, text, -1, &textRect, style->uFormat | DT_WORD_ELLIPSIS);

  SetTextColor(dc, previousColor);
  SetBkMode(dc, previousMode);
  if (previousFont != NULL) SelectObject(dc, previousFont);
  if (font != NULL) DeleteObject(font);
  if (previousBrush != NULL) SelectObject(dc, previousBrush);
  if (brush != NULL) DeleteObject(brush);
  if (previousPen != NULL) SelectObject(dc, previousPen);
  if (pen != NULL) DeleteObject(pen);
  EndPaint(window, &paint);
}

LRESULT CALLBACK PaintedLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT:
      PaintLabel(window);
      return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
