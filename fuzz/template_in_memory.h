// A dialog template in memory has no size: DialogBoxIndirectParamW and a PSP_DLGINDIRECT page read
// as far as the template says, as on Win32. The fuzzer's bytes are put at the start of zeroes
// reaching past anything they can say (65,535 items, each with 64 KiB of creation data named within
// the bytes), DWORD-aligned as templates are.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <windows.h>

inline LPCDLGTEMPLATEW TemplateInMemory(const std::uint8_t* data, std::size_t size) {
  static std::vector<DWORD> aligned(16 * 1024 * 1024 / sizeof(DWORD));
  static std::size_t last = 0;
  std::size_t bytes = std::min(aligned.size() * sizeof(DWORD), size);
  std::memset(aligned.data(), 0, last);
  std::memcpy(aligned.data(), data, bytes);
  last = bytes;
  return reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data());
}
