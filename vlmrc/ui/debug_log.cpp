#include "ui/debug_log.h"

// The line, its terminator included.
#define DEBUG_LINE_UNITS 520

void DebugLog(LPCWSTR text) {
  if (text == NULL) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  WCHAR line[DEBUG_LINE_UNITS];
  // The time stamp goes first and the text after it, cut to what the line still holds; the text
  // never goes through the formatter, which knows nothing of the line's size.
  int stamp = wsprintfW(line, TEXT("%02d:%02d:%02d PHONEAPP: "), now.wHour, now.wMinute, now.wSecond);
  lstrcpynW(line + stamp, text, DEBUG_LINE_UNITS - stamp);
  NKDbgPrintfW(TEXT("%s\n"), line);
}
