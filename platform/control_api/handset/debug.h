// Control API of the handset's debug output, where NKDbgPrintfW and OutputDebugStringW write. Each
// call is one line, stored as written less one trailing line break.
#pragma once

#include <string>
#include <vector>

namespace handset::debug {

std::vector<std::u16string> Lines();
void Clear();
// Also writes each new line to standard error as UTF-8 (off on a fresh handset).
void SetEcho(bool on);

}  // namespace handset::debug
