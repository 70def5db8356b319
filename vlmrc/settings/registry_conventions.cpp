#include "settings/registry_conventions.h"

#include <string.h>

HKEY CreateSettingsKey(HKEY parent, LPCWSTR path) {
  HKEY key = NULL;
  DWORD disposition = 0;
  WCHAR keyClass[1] = {0};
  if (RegCreateKeyExW(parent, path, 0, keyClass, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS) return NULL;
  return key;
}

HKEY OpenSettingsKey(HKEY parent, LPCWSTR path) {
  HKEY key = NULL;
  if (RegOpenKeyExW(parent, path, 0, 0, &key) != ERROR_SUCCESS) return NULL;
  return key;
}

HKEY CreateZarvoSubkey(LPCWSTR subkey, HKEY* zarvo) {
  *zarvo = CreateSettingsKey(HKEY_LOCAL_MACHINE, ZARVO_KEY);
  return *zarvo != NULL ? CreateSettingsKey(*zarvo, subkey) : NULL;
}

void CloseSettingsKeys(HKEY inner, HKEY outer) {
  if (inner != NULL) RegCloseKey(inner);
  if (outer != NULL) RegCloseKey(outer);
}

BOOL ReadDwordValue(HKEY key, LPCWSTR name, DWORD* value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegQueryValueExW(key, name, NULL, &type, (LPBYTE)&data, &size) != ERROR_SUCCESS) return FALSE;
  *value = data;
  return TRUE;
}

BOOL ReadDwordValueStrict(HKEY key, LPCWSTR name, DWORD* value, BOOL* queried) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  *queried = RegQueryValueExW(key, name, NULL, &type, (LPBYTE)&data, &size) == ERROR_SUCCESS;
  if (!*queried || type != REG_DWORD || size != sizeof(data)) return FALSE;
  *value = data;
  return TRUE;
}

DWORD ReadFlagValue(HKEY key, LPCWSTR name, DWORD defaultValue) {
  DWORD value = 0;
  if (!ReadDwordValue(key, name, &value)) return defaultValue;
  return value != 0 ? 1 : 0;
}

DWORD ReadRawValue(HKEY key, LPCWSTR name, DWORD defaultValue) {
  DWORD value = 0;
  if (!ReadDwordValue(key, name, &value)) return defaultValue;
  return value;
}

void ReadStringValue(HKEY key, LPCWSTR name, WCHAR* field, LPCWSTR defaultText) {
  ReadLimitedStringValue(key, name, field, (SETTINGS_STRING_UNITS - 1) * sizeof(WCHAR), defaultText);
}

void ReadLimitedStringValue(HKEY key, LPCWSTR name, WCHAR* field, DWORD maxBytes, LPCWSTR defaultText) {
  // At least one unit short of the buffer, so that whatever is read stays terminated; the buffer is
  // fresh for every read, so a value stored without a terminator never borrows an older tail.
  WCHAR buffer[SETTINGS_STRING_UNITS];
  memset(buffer, 0, sizeof(buffer));
  DWORD type = 0;
  DWORD size = maxBytes < (SETTINGS_STRING_UNITS - 1) * sizeof(WCHAR) ? maxBytes
                                                                      : (SETTINGS_STRING_UNITS - 1) * sizeof(WCHAR);
  if (RegQueryValueExW(key, name, NULL, &type, (LPBYTE)buffer, &size) == ERROR_SUCCESS)
    wcscpy(field, buffer);
  else
    wcscpy(field, defaultText);
}

void WriteDwordValue(HKEY key, LPCWSTR name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

void WriteStringValue(HKEY key, LPCWSTR name, const WCHAR* field) {
  WriteLimitedStringValue(key, name, field, SETTINGS_STRING_UNITS - 1);
}

void WriteLimitedStringValue(HKEY key, LPCWSTR name, const WCHAR* field, size_t maxLength) {
  WCHAR text[SETTINGS_STRING_UNITS];
  if (maxLength > SETTINGS_STRING_UNITS - 1) maxLength = SETTINGS_STRING_UNITS - 1;
  size_t length = wcsnlen(field, maxLength);
  memcpy(text, field, length * sizeof(WCHAR));
  text[length] = 0;
  RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)((length + 1) * sizeof(WCHAR)));
}
