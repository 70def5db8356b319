// The Win32 string functions. Like Win32, the copying ones answer a null pointer with NULL and
// ERROR_INVALID_PARAMETER instead of faulting.
#include <windows.h>

#include "strings/collation.h"
#include "strings/format.h"

namespace {

// A null string sorts before every other string, two null strings are equal.
int CompareNullable(LPCWSTR a, LPCWSTR b, bool ignoreCase) {
  if (!a || !b) return a == b ? 0 : a ? 1 : -1;
  return handset::strings::CompareWordSort(a, b, ignoreCase);
}

}  // namespace

extern "C" {

int lstrlenW(LPCWSTR s) { return s ? static_cast<int>(wcslen(s)) : 0; }

LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return wcscpy(dst, src);
}

// Copies at most max - 1 characters and always terminates when max is positive. A negative max,
// which Win32 takes for an unbounded one, writes nothing here.
LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int max) {
  if (!dst || !src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (max <= 0) return dst;
  int i = 0;
  for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return wcscat(dst, src);
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) { return CompareNullable(a, b, false); }

int lstrcmpiW(LPCWSTR a, LPCWSTR b) { return CompareNullable(a, b, true); }

int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args) {
  if (!buffer) return 0;
  std::size_t count = format ? handset::strings::Format(buffer, handset::strings::kFormatCharacters, format, args) : 0;
  buffer[count] = 0;
  return static_cast<int>(count);
}

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  int count = wvsprintfW(buffer, format, args);
  va_end(args);
  return count;
}

}  // extern "C"
