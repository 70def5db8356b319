// Simple one-to-one letter case mapping of the device's runtime for the scripts a handset shows:
// Latin, Greek, Cyrillic, Armenian and the full-width Latin letters.
#include <wcstr.h>
#include <winuser.h>

namespace {

// Upper-case letters first..last (every letter, or every second one from first) whose lower-case
// form lies `delta` code units further on.
struct CaseRange {
  char16_t first;
  char16_t last;
  int delta;
  int stride;
};

constexpr CaseRange kRanges[] = {
    {0x0041, 0x005A, 32, 1},  {0x00C0, 0x00D6, 32, 1},  {0x00D8, 0x00DE, 32, 1},  {0x0100, 0x012E, 1, 2},
    {0x0132, 0x0136, 1, 2},   {0x0139, 0x0147, 1, 2},   {0x014A, 0x0176, 1, 2},   {0x0178, 0x0178, -121, 1},
    {0x0179, 0x017D, 1, 2},   {0x0386, 0x0386, 38, 1},  {0x0388, 0x038A, 37, 1},  {0x038C, 0x038C, 64, 1},
    {0x038E, 0x038F, 63, 1},  {0x0391, 0x03A1, 32, 1},  {0x03A3, 0x03AB, 32, 1},  {0x0400, 0x040F, 80, 1},
    {0x0410, 0x042F, 32, 1},  {0x0460, 0x0480, 1, 2},   {0x048A, 0x04BE, 1, 2},   {0x0531, 0x0556, 48, 1},
    {0xFF21, 0xFF3A, 32, 1},
};

bool InRange(const CaseRange& range, int c) {
  return c >= range.first && c <= range.last && (c - range.first) % range.stride == 0;
}

}  // namespace

WCHAR towlower(WCHAR c) {
  for (const auto& range : kRanges)
    if (InRange(range, c)) return static_cast<WCHAR>(c + range.delta);
  return c;
}

WCHAR towupper(WCHAR c) {
  for (const auto& range : kRanges)
    if (InRange(range, c - range.delta)) return static_cast<WCHAR>(c - range.delta);
  return c;
}

// --- CharUpperW, CharLowerW and their buffer forms, through the same mapping -------------------

namespace {

// A pointer whose high-order bits are zero carries a single character in its low word.
bool IsCharacter(LPWSTR text) { return (reinterpret_cast<ULONG_PTR>(text) >> 16) == 0; }

template <WCHAR (*Map)(WCHAR)>
LPWSTR MapString(LPWSTR text) {
  if (IsCharacter(text))
    return reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(Map(static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(text)))));
  for (LPWSTR c = text; *c; ++c) *c = Map(*c);
  return text;
}

template <WCHAR (*Map)(WCHAR)>
DWORD MapBuffer(LPWSTR text, DWORD length) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = Map(text[i]);
  return length;
}

}  // namespace

extern "C" {

LPWSTR CharUpperW(LPWSTR text) { return MapString<towupper>(text); }
LPWSTR CharLowerW(LPWSTR text) { return MapString<towlower>(text); }
DWORD CharUpperBuffW(LPWSTR text, DWORD length) { return MapBuffer<towupper>(text, length); }
DWORD CharLowerBuffW(LPWSTR text, DWORD length) { return MapBuffer<towlower>(text, length); }

}  // extern "C"
