// The about page of the options sheet: six lines of text (two of them filled in from formats in
// the template), a logo read from a file, in the normal look (the template's layout, lines stacked
// with computed gaps) or the large-button look (fixed places from a table). In landscape it scrolls.
#pragma once

#include <windows.h>

#define ABOUT_ITEM_COUNT 7  // item 0 is the logo, items 1 to 6 the lines

// An item of the large-button look: its control, font, alignment and places in both orientations,
// and at run time its window and font.
typedef struct {
  int id;
  int fontHeight;
  int fontWeight;
  DWORD alignment;  // the low four style bits of the static
  int portrait[4];   // x, y, w, h
  int landscape[4];  // x, y, w, h
  HWND window;
  HFONT font;
} AboutItem;

// Where an item is placed: four values read as x, y, cx, cy when placing and as x, y when
// scrolling, and its window.
typedef struct {
  int place[4];
  HWND window;
} AboutLayoutItem;

extern AboutItem AboutItems[ABOUT_ITEM_COUNT];
extern AboutLayoutItem AboutLayout[ABOUT_ITEM_COUNT];
extern HFONT AboutBoldFont;
extern HFONT AboutTextFont;
extern int AboutPageStep;
extern const WCHAR AboutVersionText[];

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the version line and the year line from their template formats; gives the title line the
// font when one is given. A line that no longer holds a format is left as it is.
void ComposeAboutTexts(HWND page, HFONT titleFont);
// The year, in local time, of the creation of the module's file; 0 when it cannot be read.
WORD GetModuleCreationYear(HMODULE module);
// TRUE when the device hides the logo (the key "ControlPanel\LV" exists).
BOOL IsAboutLogoSuppressed(void);
void CreateAboutLogo(HWND page, BOOL largeLook);
void LayoutAboutNormal(HWND page);
void LayoutAboutFromTable(void);
void ScrollAboutItems(int position);
