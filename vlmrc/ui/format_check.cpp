#include "ui/format_check.h"

// The kind of argument the directive at `text` (just past its '%') takes, with `text` moved past
// it. Flags, a fixed width, a precision and the 'l' size prefix are allowed; a width or precision
// taken from the arguments ('*') and every other size prefix or type are not. The upper-case 'S'
// and 'C' of wsprintfW take a narrow string or character unless the 'l' prefix makes them wide, so
// without it they do not take the UTF-16 arguments the callers pass.
static FormatArgument TakeDirective(LPCWSTR* text) {
  LPCWSTR at = *text;
  while (*at == '-' || *at == '#' || *at == '0' || *at == ' ' || *at == '+') ++at;
  while (*at >= '0' && *at <= '9') ++at;
  if (*at == '.') {
    ++at;
    while (*at >= '0' && *at <= '9') ++at;
  }
  BOOL wide = *at == 'l';
  if (wide) ++at;
  FormatArgument kind;
  switch (*at) {
    case 's': kind = ARG_STRING; break;
    case 'c': kind = ARG_CHAR; break;
    case 'S': kind = wide ? ARG_STRING : ARG_UNSUPPORTED; break;
    case 'C': kind = wide ? ARG_CHAR : ARG_UNSUPPORTED; break;
    case 'd': case 'i': case 'u': case 'x': case 'X': kind = ARG_NUMBER; break;
    default: return ARG_UNSUPPORTED;
  }
  if (kind == ARG_UNSUPPORTED) return kind;
  *text = at + 1;
  return kind;
}

BOOL IsFormatFor(LPCWSTR text, const FormatArgument* expected, int count) {
  int taken = 0;
  for (LPCWSTR at = text; *at != 0;) {
    if (*at++ != '%') continue;
    if (*at == '%') {
      ++at;
      continue;
    }
    if (taken == count || TakeDirective(&at) != expected[taken]) return FALSE;
    ++taken;
  }
  return taken > 0;
}
