#include "ui/window_helpers.h"

#include "frame/module.h"
#include "settings/dbmui_setting.h"

#define CLASS_NAME_UNITS 260
#define SHEET_TITLE_UNITS 260
#define SHELL_LIBRARY TEXT("aygshell.dll")
#define SHELL_SHEET_SERVICE_ORDINAL 21

typedef BOOL(WINAPI* SheetService)(HWND sheet, DWORD value);

void CenterWindowOnScreen(HWND window) {
  if (window == NULL) return;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  MoveWindow(window, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, FALSE);
}

// The shell's service for the sheet is an unnamed export, reached by its ordinal. A shell without
// it is simply not asked.
static void CallShellSheetService(HWND sheet) {
  HMODULE shell = LoadLibraryW(SHELL_LIBRARY);
  if (shell == NULL) return;
  SheetService service =
      (SheetService)(void (*)(void))GetProcAddressW(shell, MAKEINTRESOURCE(SHELL_SHEET_SERVICE_ORDINAL));
  if (service != NULL) service(sheet, 1);
  FreeLibrary(shell);
}

void SetSheetTitle(HWND page, UINT titleId) {
  if (page == NULL) return;
  HWND sheet = GetParent(page);
  if (sheet == NULL) return;
  HWND child = GetWindow(sheet, GW_CHILD);
  if (child == NULL) return;
  for (; child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
    WCHAR className[CLASS_NAME_UNITS] = {0};
    GetClassNameW(child, className, CLASS_NAME_UNITS);
    if (wcscmp(className, TEXT("static")) == 0) {
      WCHAR title[SHEET_TITLE_UNITS] = {0};
      LoadStringW(g_hInstance, titleId, title, SHEET_TITLE_UNITS);
      SetWindowTextW(child, title);
      break;
    }
  }
  CallShellSheetService(sheet);
}

DWORD GetDBMUIFlag(void) { return g_bDBMUI; }
