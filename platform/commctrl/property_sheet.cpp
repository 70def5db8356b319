// PropertySheetW: reads the header and every page's template first (a sheet with a page that
// cannot be made is refused before anything shows), asks the callback (PSCB_GETVERSION,
// PSCB_PRECREATE) and runs the sheet as a modal dialog on the calling thread.
#include <commctrl.h>

#include <cstring>

#include "commctrl/common_controls.h"
#include "commctrl/property_sheet.h"
#include "commctrl/sheet_template.h"
#include "core/api_guard.h"
#include "dialogs/dialog_box.h"
#include "dialogs/dialog_records.h"
#include "handset/dialog_template.h"

namespace handset::commctrl {
namespace {

std::u16string StringOrResource(HINSTANCE instance, LPCWSTR text) {
  if (!text) return {};
  if (!IS_INTRESOURCE(text)) return text;
  WCHAR buffer[MAX_PATH];
  int length = LoadStringW(instance, static_cast<UINT>(reinterpret_cast<UINT_PTR>(text)), buffer, MAX_PATH);
  return std::u16string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

// The page's template, and its tab's title: the page's own with PSP_USETITLE, else the
// template's caption. False when the template cannot be found or read.
bool ReadPage(SheetPage& page) {
  const PROPSHEETPAGEW& p = page.record;
  if (p.dwFlags & PSP_DLGINDIRECT) {
    if (!p.pResource) return false;
    page.source = dialogs::TemplateInMemory(p.hInstance, p.pResource);
  } else {
    auto found = dialogs::TemplateByName(p.hInstance, p.pszTemplate);
    if (!found) return false;
    page.source = *found;
  }
  auto read = dialogs::ReadDialogTemplate(page.source.data, page.source.size);
  if (!read) return false;
  page.title = (p.dwFlags & PSP_USETITLE) ? StringOrResource(p.hInstance, p.pszTitle) : read.dialog->title;
  return true;
}

// The header and its pages as the sheet keeps them; false for a header the sheet cannot run.
bool ReadHeader(const PROPSHEETHEADERW* header, Sheet& sheet) {
  if (!header || header->dwSize < sizeof(PROPSHEETHEADERW)) return false;
  sheet.header = *header;
  // Pages given as handles are not offered by this platform: the pages come as records.
  if (!(header->dwFlags & PSH_PROPSHEETPAGE) || !header->ppsp || header->nPages == 0) return false;
  // Like the platform, step through the records by each one's own size.
  auto* at = reinterpret_cast<const std::uint8_t*>(header->ppsp);
  for (UINT i = 0; i < header->nPages; ++i) {
    auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(at);
    if (record->dwSize < sizeof(PROPSHEETPAGEW)) return false;
    SheetPage page;
    std::memcpy(&page.record, record, sizeof(PROPSHEETPAGEW));
    if (!ReadPage(page)) return false;
    sheet.pages.push_back(std::move(page));
    at += record->dwSize;
  }
  if (sheet.header.nStartPage >= sheet.pages.size()) sheet.header.nStartPage = 0;
  return true;
}

void ReleasePages(Sheet& sheet) {
  for (auto& page : sheet.pages)
    if ((page.record.dwFlags & PSP_USECALLBACK) && page.record.pfnCallback)
      page.record.pfnCallback(nullptr, PSPCB_RELEASE, &page.record);
}

INT_PTR RunSheet(const PROPSHEETHEADERW* header) {
  Sheet sheet;
  if (!ReadHeader(header, sheet) || !RegisterTabControlClass()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto callback = (sheet.header.dwFlags & PSH_USECALLBACK) ? sheet.header.pfnCallback : nullptr;
  auto bytes = SheetTemplate();
  if (callback) {
    callback(nullptr, PSCB_GETVERSION, 0);
    callback(nullptr, PSCB_PRECREATE, reinterpret_cast<LPARAM>(bytes.data()));
  }
  dialogs::DialogRequest request;
  request.source = {bytes.data(), bytes.size() * sizeof(std::uint32_t), std::nullopt};
  request.owner = sheet.header.hwndParent;
  request.procedure = SheetProc;
  request.param = reinterpret_cast<LPARAM>(&sheet);
  // A page that ends itself with EndDialog takes the sheet with it, as if cancelled: nothing was
  // applied, so the sheet does not answer OK.
  auto pageEnded = [&sheet] {
    for (const auto& page : sheet.pages) {
      auto record = page.window ? dialogs::FindDialogRecord(page.window) : nullptr;
      if (record && record->ended) return true;
    }
    return false;
  };
  INT_PTR ran = dialogs::RunDialogBox(request, pageEnded);
  ReleasePages(sheet);
  if (ran == -1 && !sheet.window) return -1;  // the sheet's window could not be made
  return sheet.result;
}

}  // namespace
}  // namespace handset::commctrl

extern "C" INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header) {
  return handset::core::Guarded(-1, [&] { return handset::commctrl::RunSheet(header); });
}
