// Any bytes as the template of a property sheet's page (PSP_DLGINDIRECT), as the library hands its
// pages to PropertySheetW: the sheet opens with the page or refuses it, and closes again.
#include <cstddef>
#include <cstdint>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "handset/user.h"
#include "template_in_memory.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DLGINDIRECT;
  page.pResource = TemplateInMemory(data, size);
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
