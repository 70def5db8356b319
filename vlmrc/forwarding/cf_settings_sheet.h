// The forwarding settings sheet: a full-screen property sheet with one page on which the user turns
// each forwarding reason on or off, types its number and picks the no-reply time. Accepting the page
// sends the changes through the set dialog, or, when nothing changed, only records the all-calls
// state; the page then ends itself, and the sheet with it.
#pragma once

#include <windows.h>

#include "forwarding/cf_info.h"

// Runs the sheet on the queried record (which it may correct, never otherwise change); returns what
// PropertySheetW returns.
INT_PTR ShowCFSheet(HWND parent, HINSTANCE instance, VideoCFInfo* queried);

// PSCB_GETVERSION: the platform's own look; PSCB_GETTITLE: 1, writing no title; 0 otherwise.
int CALLBACK CFSheetCallback(HWND sheet, UINT message, LPARAM lParam);

INT_PTR CALLBACK CFPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The instance the sheet was shown with and the queried record, for as long as the sheet is up.
extern HINSTANCE CFSheetInstance;
extern VideoCFInfo* CFSheetQueried;
// The page's font; NULL when the page keeps the template's fonts.
extern HFONT CFPageFont;
