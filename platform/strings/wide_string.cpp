// The UTF-16 string functions of the device's C runtime. They behave as the C standard's wide
// functions do, on WCHAR code units.
#include <wcstr.h>

size_t wcslen(const WCHAR* s) {
  const WCHAR* p = s;
  while (*p) ++p;
  return static_cast<size_t>(p - s);
}

size_t wcsnlen(const WCHAR* s, size_t max) {
  size_t n = 0;
  while (n < max && s[n]) ++n;
  return n;
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
  WCHAR* d = dst;
  while ((*d++ = *src++) != 0) {
  }
  return dst;
}

// Copies at most count units; a shorter source is padded with zeros to count, a longer one is
// left unterminated.
WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t count) {
  size_t i = 0;
  for (; i < count && src[i]; ++i) dst[i] = src[i];
  for (; i < count; ++i) dst[i] = 0;
  return dst;
}

WCHAR* wcscat(WCHAR* dst, const WCHAR* src) {
  wcscpy(dst + wcslen(dst), src);
  return dst;
}

// Appends at most count units and always terminates.
WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t count) {
  WCHAR* d = dst + wcslen(dst);
  size_t i = 0;
  for (; i < count && src[i]; ++i) d[i] = src[i];
  d[i] = 0;
  return dst;
}

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (!a[i]) break;
  }
  return 0;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, static_cast<size_t>(-1)); }

// Compares the lower-case forms, unit by unit, and returns their difference.
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    int ca = towlower(a[i]);
    int cb = towlower(b[i]);
    if (ca != cb) return ca - cb;
    if (!ca) break;
  }
  return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, static_cast<size_t>(-1)); }

// The terminator belongs to the string: searching for 0 finds it.
const WCHAR* wcschr(const WCHAR* s, WCHAR c) {
  for (;; ++s) {
    if (*s == c) return s;
    if (!*s) return nullptr;
  }
}

WCHAR* wcschr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsrchr(const WCHAR* s, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++s) {
    if (*s == c) found = s;
    if (!*s) return found;
  }
}

WCHAR* wcsrchr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub) {
  size_t n = wcslen(sub);
  for (; *s; ++s)
    if (wcsncmp(s, sub, n) == 0) return s;
  return n == 0 ? s : nullptr;
}

WCHAR* wcsstr(WCHAR* s, const WCHAR* sub) {
  return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(s), sub));
}

int iswdigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

int iswspace(WCHAR c) {
  switch (c) {
    case 0x0009: case 0x000A: case 0x000B: case 0x000C: case 0x000D: case 0x0020: case 0x0085: case 0x00A0:
    case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return 1;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}
