// The kernel debug output of the platform.
#include <windows.h>

#include "debug/debug_output.h"
#include "strings/format.h"

extern "C" {

// Formats as wsprintfW does, with the same limit.
void NKDbgPrintfW(LPCWSTR format, ...) {
  if (!format) return;
  char16_t buffer[handset::strings::kFormatCharacters];
  va_list args;
  va_start(args, format);
  std::size_t count = handset::strings::Format(buffer, std::size(buffer), format, args);
  va_end(args);
  handset::debug::Output().Append(std::u16string(buffer, count));
}

void OutputDebugStringW(LPCWSTR text) {
  if (text) handset::debug::Output().Append(text);
}

}  // extern "C"
