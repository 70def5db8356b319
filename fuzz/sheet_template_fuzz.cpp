// Any bytes as the template of a property sheet's page (PSP_DLGINDIRECT), as the library hands its
// pages to PropertySheetW: the sheet opens with the page or refuses it, and closes again.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

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
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DLGINDIRECT;
  page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data());
  page.pfnDlgProc = Quiet;
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.pszCaption = u"Fuzz";
  header.nPages = 1;
  header.ppsp = &page;
  handset::user::SetScript({handset::user::Cancel()});
  PropertySheetW(&header);
  return 0;
}
