// The Windows Mobile shell library of the handset.
#pragma once

#include "regext.h"
#include "sipapi.h"
#include "windef.h"
#include "winuser.h"

// --- dialogs ---------------------------------------------------------------------------------
typedef struct tagSHINITDLGINFO {
  DWORD dwMask;  // SHIDIM_FLAGS
  HWND hDlg;
  DWORD dwFlags;  // SHIDIF_*
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001         // the title bar's OK button, which sends IDOK
#define SHIDIF_SIZEDLG 0x0002            // sized to the space above the input panel
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004  // sized to the whole screen below the title bar
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020  // an empty soft-key bar

// --- the soft-key menu bar -------------------------------------------------------------------
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
#define SHCMBF_HMENU 0x0010  // nToolBarId names a menu resource

// --- the picture picker ----------------------------------------------------------------------
typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOPENFILENAMEEX {
  DWORD lStructSize;  // sizeof(OPENFILENAMEEX)
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // NULL with OFN_EXFLAG_THUMBNAILVIEW: every picture type
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;  // out: the chosen file's full device path
  DWORD nMaxFile;    // characters of lpstrFile, terminator included
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

#define OFN_HIDEREADONLY 0x00000004  // the picker has no read-only box to hide
#define OFN_NOCHANGEDIR 0x00000008   // the device has no current folder to change
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000

#define OFN_EXFLAG_DETAILSVIEW 0x00000001
#define OFN_EXFLAG_THUMBNAILVIEW 0x00000002
#define OFN_EXFLAG_HIDEDRMPROTECTED 0x00010000
#define OFN_EXFLAG_HIDEDRMFORWARDLOCKED 0x00020000

extern "C" {

// Reads a .bmp file (a device path) into a bitmap; NULL when the file is missing or unreadable.
HBITMAP SHLoadDIBitmap(LPCWSTR fileName);

// Sizes the dialog as dwFlags asks and gives it the title bar's OK button and an empty soft-key bar
// when asked; FALSE for a missing dialog or a record without SHIDIM_FLAGS.
BOOL SHInitDialog(PSHINITDLGINFO info);

// Puts a soft-key bar at the bottom of the screen whose two keys show the top-level items of the
// menu resource and send their commands (WM_COMMAND) to hwndParent. FALSE when the menu is missing
// or the record's size is wrong; hwndMB receives the bar.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// The modal picture picker: nonzero with the chosen file's full path in lpstrFile; 0 when the user
// cancels (GetLastError() ERROR_SUCCESS) or on an error (ERROR_INVALID_PARAMETER, and
// ERROR_INSUFFICIENT_BUFFER when the path does not fit in nMaxFile).
BOOL GetOpenFileNameEx(LPOPENFILENAMEEX info);

}  // extern "C"
