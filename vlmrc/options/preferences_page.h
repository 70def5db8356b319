// The video call preferences page of the options sheet: five check boxes, two lists and the
// picture file of the VT option settings, edited in the sheet's working record. The page scrolls,
// and brings a control into view when it receives the focus.
#pragma once

#include <windows.h>
#include <vlmrc/vlmrc.h>

// Posted to the page: wParam is a control of the page that must be scrolled into view.
#define WM_ENSURECONTROLVISIBLE (WM_USER + 500)

// The sheet's working record (NULL: the page does nothing), the labels' font, the page height at
// the last WM_SIZE (the page step of scrolling), and whether the input panel was seen since the
// page was last activated.
extern VTOptSetting* PreferencesSettings;
extern HFONT PreferencesFont;
extern int PreferencesPageHeight;
extern BOOL SipShownSinceActivate;

INT_PTR CALLBACK PreferencesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Installed on the controls of FocusNotifySlots: asks the page to show a control that got the focus.
LRESULT CALLBACK FocusNotifyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// TRUE when the path ends in one of the picture extensions the page accepts (.jpg, .gif, .bmp,
// .png, .wbmp, in any case).
BOOL IsAcceptedPictureFile(LPCWSTR path);
