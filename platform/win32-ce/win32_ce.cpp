// The CE functions of win32_ce.h, regext.h, sipapi.h and aygshell.h on desktop Win32.
#define WIN32_CE_IMPLEMENTATION
#include <windows.h>

#include <aygshell.h>
#include <stdarg.h>

#include <cstring>
#include <vector>

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

// Reads one value of `key`, or of its sub-key opened for this read: S_OK, or the Win32 failure as an
// HRESULT. The size is asked first, and again if the value grew between the two calls.
static HRESULT ReadRegistryValue(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD& type,
                                 std::vector<BYTE>& bytes) {
  HKEY opened = key;
  if (subKey != NULL) {
    LONG error = RegOpenKeyExW(key, subKey, 0, KEY_QUERY_VALUE, &opened);
    if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  }
  LONG error;
  for (;;) {
    DWORD size = 0;
    error = RegQueryValueExW(opened, valueName, NULL, &type, NULL, &size);
    if (error != ERROR_SUCCESS) break;
    bytes.resize(size);
    error = RegQueryValueExW(opened, valueName, NULL, &type, bytes.data(), &size);
    if (error == ERROR_MORE_DATA) continue;
    bytes.resize(size);
    break;
  }
  if (opened != key) RegCloseKey(opened);
  return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error);
}

HRESULT WINAPI RegistryGetDWORD(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD* data) {
  if (key == NULL || data == NULL) return E_INVALIDARG;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  HRESULT read = ReadRegistryValue(key, subKey, valueName, type, bytes);
  if (FAILED(read)) return read;
  if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return E_DATATYPE_MISMATCH;
  std::memcpy(data, bytes.data(), sizeof(DWORD));
  return S_OK;
}

HRESULT WINAPI RegistryGetString(HKEY key, LPCWSTR subKey, LPCWSTR valueName, LPWSTR data, UINT capacity) {
  if (key == NULL || data == NULL) return E_INVALIDARG;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  HRESULT read = ReadRegistryValue(key, subKey, valueName, type, bytes);
  if (FAILED(read)) return read;
  if (type != REG_SZ) return E_DATATYPE_MISMATCH;
  // The text ends at its first terminator, or with the data when it was stored without one.
  size_t length = 0;
  while (2 * length + 1 < bytes.size() && (bytes[2 * length] | bytes[2 * length + 1]) != 0) ++length;
  if (length >= capacity) return E_INSUFFICIENT_BUFFER;
  std::memcpy(data, bytes.data(), length * sizeof(WCHAR));
  data[length] = 0;
  return S_OK;
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

BOOL WINAPI SHInitDialog(PSHINITDLGINFO info) {
  if (info == NULL || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    MoveWindow(info->hDlg, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  }
  return TRUE;
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
