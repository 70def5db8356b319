// How every settings function reaches the registry: keys are created or opened per call and closed
// inner before outer; flags are normalised; strings go through one 260-unit buffer whose last unit
// always stays zero.
#pragma once

#include <windows.h>

// Paths of the settings key: two steps ("SoftWare\Zarvo", then a subkey) or one.
#define ZARVO_KEY TEXT("SoftWare\\Zarvo")
#define ZARVO_PHONE_SUBKEY TEXT("Phone")
#define ZARVO_PHONE_KEY TEXT("Software\\Zarvo\\Phone")

// Capacity of a string field and of the read buffer, in UTF-16 units.
#define SETTINGS_STRING_UNITS MAX_PATH

// Create-or-open: the key, or NULL when it cannot be obtained. Creates a missing key.
HKEY CreateSettingsKey(HKEY parent, LPCWSTR path);
// Open-only: the key, or NULL when it does not exist or cannot be opened. Never creates.
HKEY OpenSettingsKey(HKEY parent, LPCWSTR path);
// Creates or opens "SoftWare\Zarvo" into *zarvo and then its subkey, which is returned. When the outer
// key cannot be obtained, *zarvo is NULL and no subkey is tried; a subkey that cannot be obtained is
// NULL. The caller closes both with CloseSettingsKeys.
HKEY CreateZarvoSubkey(LPCWSTR subkey, HKEY* zarvo);
// Closes the inner key, then the outer one, each only when it is not NULL.
void CloseSettingsKeys(HKEY inner, HKEY outer);

// Simple read of a 32-bit value: TRUE when the query succeeded, whatever the stored type.
BOOL ReadDwordValue(HKEY key, LPCWSTR name, DWORD* value);
// Strict read: TRUE only when the value is a REG_DWORD of exactly 4 bytes. Returns the query's own
// result through *queried (TRUE when the query itself succeeded), for callers that retry on failure.
BOOL ReadDwordValueStrict(HKEY key, LPCWSTR name, DWORD* value, BOOL* queried);
// Simple reads decoded: normalised to 0 / 1, or raw, each with the default for a failed read.
DWORD ReadFlagValue(HKEY key, LPCWSTR name, DWORD defaultValue);
DWORD ReadRawValue(HKEY key, LPCWSTR name, DWORD defaultValue);
// Reads a REG_SZ of at most 258 characters into a field of SETTINGS_STRING_UNITS units; a value that
// cannot be read puts the default text there instead.
void ReadStringValue(HKEY key, LPCWSTR name, WCHAR* field, LPCWSTR defaultText);
// The same with a smaller data-size limit: at most maxBytes bytes (and never more than the 258
// characters above) are read, so the field needs maxBytes / 2 + 1 units.
void ReadLimitedStringValue(HKEY key, LPCWSTR name, WCHAR* field, DWORD maxBytes, LPCWSTR defaultText);

void WriteDwordValue(HKEY key, LPCWSTR name, DWORD value);
// Writes a field of SETTINGS_STRING_UNITS units as REG_SZ, terminator included. A field that holds no
// terminator is stored cut to the longest string that it can carry.
void WriteStringValue(HKEY key, LPCWSTR name, const WCHAR* field);
// The same for a field of maxLength + 1 units: at most maxLength units are read from it (and never
// more than SETTINGS_STRING_UNITS - 1), the stored string ending there.
void WriteLimitedStringValue(HKEY key, LPCWSTR name, const WCHAR* field, size_t maxLength);
