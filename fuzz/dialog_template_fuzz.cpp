// Any bytes as a dialog template in memory, as a program hands them to DialogBoxIndirectParamW and
// CreateDialogIndirectParamW: the dialog is made (or refused) and closed again, never a crash or
// a read outside the template.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

#include <windows.h>

#include "handset/user.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A template in memory has no size: the reader reads as far as it says, as on Win32. The bytes
  // lie at the start of zeroes reaching past anything they can say (65,535 items, each with 64 KiB
  // of creation data named within the bytes).
  static std::vector<DWORD> aligned(16 * 1024 * 1024 / sizeof(DWORD));
  static std::size_t last = 0;
  std::size_t bytes = std::min(aligned.size() * sizeof(DWORD), size);
  std::memset(aligned.data(), 0, last);
  std::memcpy(aligned.data(), data, bytes);
  last = bytes;
  auto* dialogTemplate = reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data());
  handset::user::SetScript({handset::user::Cancel()});
  DialogBoxIndirectParamW(nullptr, dialogTemplate, nullptr, Quiet, 0);
  if (HWND dialog = CreateDialogIndirectParamW(nullptr, dialogTemplate, nullptr, Quiet, 0)) DestroyWindow(dialog);
  return 0;
}
