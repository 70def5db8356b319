// The UTF-16 string functions of the device's C runtime, for WCHAR strings. They are C++ overloads
// beside the host C library's wchar_t functions of the same names.
#pragma once

// The host's own declarations come first, so that the standard library's std:: names for them
// keep meaning only the wchar_t functions.
#include <cstddef>
#include <cwchar>
#include <cwctype>

#include "windef.h"

size_t wcslen(const WCHAR* s);
size_t wcsnlen(const WCHAR* s, size_t max);
WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t count);
WCHAR* wcscat(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t count);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count);
const WCHAR* wcschr(const WCHAR* s, WCHAR c);
WCHAR* wcschr(WCHAR* s, WCHAR c);
const WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
WCHAR* wcsrchr(WCHAR* s, WCHAR c);
const WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub);
WCHAR* wcsstr(WCHAR* s, const WCHAR* sub);
long wcstol(const WCHAR* s, WCHAR** end, int base);
unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base);
int _wtoi(const WCHAR* s);
WCHAR* _itow(int value, WCHAR* buffer, int radix);
WCHAR towlower(WCHAR c);
WCHAR towupper(WCHAR c);
int iswdigit(WCHAR c);
int iswspace(WCHAR c);
