// The CE functions of win32_ce.h, regext.h, sipapi.h and aygshell.h on desktop Win32.
#define WIN32_CE_IMPLEMENTATION
#include <windows.h>

#include <aygshell.h>
#include <stdarg.h>

extern "C" {

FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR procName) {
  if (IS_INTRESOURCE(procName)) return GetProcAddress(module, (LPCSTR)procName);
  // Export names are ASCII; anything else names no export.
  char name[256];
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, procName, -1, name, sizeof(name), NULL, NULL);
  if (length == 0) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return NULL;
  }
  return GetProcAddress(module, name);
}

void NKDbgPrintfW(LPCWSTR format, ...) {
  WCHAR text[1025];
  va_list arguments;
  va_start(arguments, format);
  wvsprintfW(text, format, arguments);
  va_end(arguments);
  OutputDebugStringW(text);
}

BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update) {
  SYSTEM_POWER_STATUS desktop;
  if (status == NULL || !GetSystemPowerStatus(&desktop)) return FALSE;
  status->ACLineStatus = desktop.ACLineStatus;
  status->BatteryFlag = desktop.BatteryFlag;
  status->BatteryLifePercent = desktop.BatteryLifePercent;
  status->Reserved1 = 0;
  status->BatteryLifeTime = desktop.BatteryLifeTime;
  status->BatteryFullLifeTime = desktop.BatteryFullLifeTime;
  status->Reserved2 = 0;
  status->BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
  status->BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  status->Reserved3 = 0;
  status->BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  return TRUE;
}

void WINAPI SystemIdleTimerReset(void) { SetThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED); }

static REGSAM CeAccess(REGSAM access) { return access == 0 ? KEY_ALL_ACCESS : access; }

LONG WINAPI Win32CeRegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                                   REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                   LPDWORD disposition) {
  return RegCreateKeyExW(key, subKey, reserved, keyClass, options, CeAccess(access), security, result, disposition);
}

LONG WINAPI Win32CeRegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  return RegOpenKeyExW(key, subKey, options, CeAccess(access), result);
}

// Reads one value of the expected type into `data` (`size` bytes); the caller's buffer is written
// only on success.
static HRESULT ReadRegistryValue(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD expectedType, BYTE* data,
                                 DWORD size) {
  if (key == NULL || data == NULL) return E_INVALIDARG;
  HKEY opened = key;
  if (subKey != NULL) {
    LONG error = RegOpenKeyExW(key, subKey, 0, KEY_QUERY_VALUE, &opened);
    if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  }
  DWORD type = 0;
  DWORD needed = 0;
  LONG error = RegQueryValueExW(opened, valueName, NULL, &type, NULL, &needed);
  HRESULT result = S_OK;
  if (error != ERROR_SUCCESS) {
    result = HRESULT_FROM_WIN32(error);
  } else if (type != expectedType) {
    result = E_DATATYPE_MISMATCH;
  } else if (needed > size) {
    result = E_INSUFFICIENT_BUFFER;
  } else {
    error = RegQueryValueExW(opened, valueName, NULL, NULL, data, &needed);
    if (error != ERROR_SUCCESS) result = HRESULT_FROM_WIN32(error);
  }
  if (opened != key) RegCloseKey(opened);
  return result;
}

HRESULT WINAPI RegistryGetDWORD(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD* data) {
  return ReadRegistryValue(key, subKey, valueName, REG_DWORD, (BYTE*)data, sizeof(DWORD));
}

HRESULT WINAPI RegistryGetString(HKEY key, LPCWSTR subKey, LPCWSTR valueName, LPWSTR data, UINT capacity) {
  return ReadRegistryValue(key, subKey, valueName, REG_SZ, (BYTE*)data, capacity * sizeof(WCHAR));
}

BOOL WINAPI SipGetInfo(SIPINFO* info) {
  if (info == NULL || info->cbSize != sizeof(SIPINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->fdwFlags = SIPF_OFF;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &info->rcVisibleDesktop, 0);
  SetRectEmpty(&info->rcSipRect);
  return TRUE;
}

HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR fileName) {
  return (HBITMAP)LoadImageW(NULL, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info) {
  if (info == NULL || info->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HMENU menu = NULL;
  if (info->dwFlags & SHCMBF_HMENU) {
    menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
    if (menu == NULL) return FALSE;
  }
  if (menu != NULL && !SetMenu(info->hwndParent, menu)) {
    DestroyMenu(menu);
    return FALSE;
  }
  info->hwndMB = info->hwndParent;
  return TRUE;
}

BOOL WINAPI GetOpenFileNameEx(LPOPENFILENAMEEX info) {
  if (info == NULL || info->lStructSize != sizeof(OPENFILENAMEEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  static const WCHAR pictures[] = L"Pictures\0*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.wbmp\0";
  OPENFILENAMEW dialog;
  ZeroMemory(&dialog, sizeof(dialog));
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = info->hwndOwner;
  dialog.hInstance = info->hInstance;
  dialog.lpstrFilter = info->lpstrFilter != NULL ? info->lpstrFilter : pictures;
  dialog.lpstrCustomFilter = info->lpstrCustomFilter;
  dialog.nMaxCustFilter = info->nMaxCustFilter;
  dialog.nFilterIndex = info->nFilterIndex;
  dialog.lpstrFile = info->lpstrFile;
  dialog.nMaxFile = info->nMaxFile;
  dialog.lpstrFileTitle = info->lpstrFileTitle;
  dialog.nMaxFileTitle = info->nMaxFileTitle;
  dialog.lpstrInitialDir = info->lpstrInitialDir;
  dialog.lpstrTitle = info->lpstrTitle;
  dialog.Flags = info->Flags | OFN_EXPLORER;
  dialog.lpstrDefExt = info->lpstrDefExt;
  dialog.lCustData = info->lCustData;
  dialog.lpfnHook = info->lpfnHook;
  dialog.lpTemplateName = info->lpTemplateName;
  BOOL chosen = GetOpenFileNameW(&dialog);
  info->nFilterIndex = dialog.nFilterIndex;
  info->nFileOffset = dialog.nFileOffset;
  info->nFileExtension = dialog.nFileExtension;
  return chosen;
}

}  // extern "C"
