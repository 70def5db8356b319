// CE's shell library (aygshell.h of the CE SDK), as far as the library uses it: the soft-key menu
// bar, the picture picker and the bitmap file reader, each built on desktop Win32 in win32_ce.cpp.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "regext.h"
#include "sipapi.h"

// --- dialogs ----------------------------------------------------------------------------------
typedef struct tagSHINITDLGINFO {
  DWORD dwMask;  // SHIDIM_FLAGS
  HWND hDlg;
  DWORD dwFlags;  // SHIDIF_*
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020

// --- the soft-key menu bar --------------------------------------------------------------------
typedef struct tagSHMENUBARINFO {
  DWORD cbSize;  // sizeof(SHMENUBARINFO)
  HWND hwndParent;
  DWORD dwFlags;  // SHCMBF_*
  UINT nToolBarId;  // with SHCMBF_HMENU: a menu resource of hInstRes
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;  // out: the menu bar
  COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

// --- the picture picker -----------------------------------------------------------------------
typedef struct tagOPENFILENAMEEX {
  DWORD lStructSize;  // sizeof(OPENFILENAMEEX)
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // NULL with OFN_EXFLAG_THUMBNAILVIEW: every picture type
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;  // OFN_*
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  DWORD ExFlags;  // OFN_EXFLAG_*
  DWORD dwSortOrder;
} OPENFILENAMEEX, *LPOPENFILENAMEEX;

#define OFN_EXFLAG_DETAILSVIEW 0x00000001
#define OFN_EXFLAG_THUMBNAILVIEW 0x00000002
#define OFN_EXFLAG_HIDEDRMPROTECTED 0x00010000
#define OFN_EXFLAG_HIDEDRMFORWARDLOCKED 0x00020000

#ifdef __cplusplus
extern "C" {
#endif

// CE: a .bmp file (a device path) as a bitmap; NULL when missing or unreadable. Desktop: LoadImageW
// from the file as a DIB section.
HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR fileName);

// CE: sizes the dialog to the screen below the title bar (or above the input panel) and gives it
// the title bar's OK button and an empty soft-key bar as dwFlags asks. Desktop: the sizing flags
// place the dialog over the work area; a desktop dialog has no title-bar OK and no soft keys, so
// those flags change nothing. FALSE for a missing dialog or a record without SHIDIM_FLAGS.
BOOL WINAPI SHInitDialog(PSHINITDLGINFO info);

// CE: a soft-key bar at the bottom of the screen from the menu resource, whose keys send their
// commands to hwndParent. Desktop has no soft keys: the same menu becomes hwndParent's menu bar,
// whose items send the same WM_COMMAND; hwndMB receives hwndParent.
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info);

// CE: the modal picture picker. Desktop: the open-file dialog (GetOpenFileNameW) with the same
// fields, filtered to picture files when lpstrFilter is NULL. The DRM and view flags have no
// desktop counterpart and are ignored.
BOOL WINAPI GetOpenFileNameEx(LPOPENFILENAMEEX info);

#ifdef __cplusplus
}  // extern "C"
#endif
