// PropertySheetW: reads the header and every page first (a sheet with a page that cannot be made
// is refused before anything shows), asks the callback (PSCB_GETVERSION, PSCB_PRECREATE) and runs
// the sheet as a modal dialog on the calling thread, or with PSH_MODELESS makes it and returns. The page handles of a header (phpage) are the
// sheet's from the call on: they are destroyed when it returns, whether or not it could run.
#include <commctrl.h>

#include <cstring>
#include <memory>

#include "commctrl/common_controls.h"
#include "commctrl/property_sheet.h"
#include "commctrl/sheet_pages.h"
#include "commctrl/sheet_template.h"
#include "core/api_guard.h"
#include "dialogs/dialog_box.h"
#include "dialogs/dialog_records.h"

namespace handset::commctrl {
namespace {

// The pages of the header: records (stepped through by each one's own size, as the platform does)
// or page handles. False when one cannot be made or a handle is unknown.
bool ReadPages(const PROPSHEETHEADERW& header, Sheet& sheet) {
  if (header.dwFlags & PSH_PROPSHEETPAGE) {
    if (!header.ppsp) return false;
    auto* at = reinterpret_cast<const std::uint8_t*>(header.ppsp);
    for (UINT i = 0; i < header.nPages; ++i) {
      auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(at);
      auto page = MakePage(*record);
      if (!page) return false;
      sheet.pages.push_back(std::move(page));
      at += record->dwSize;
    }
    return true;
  }
  if (!header.phpage) return false;
  bool known = true;
  for (UINT i = 0; i < header.nPages; ++i) {
    auto page = FindPage(header.phpage[i]);
    if (page)
      sheet.pages.push_back(std::move(page));
    else
      known = false;
  }
  return known;
}

// The first page shown: by index, or with PSH_USEPSTARTPAGE by its tab's title; the first page
// when neither names one.
UINT StartPage(const Sheet& sheet) {
  const auto& h = sheet.header;
  if (h.dwFlags & PSH_USEPSTARTPAGE) {
    std::u16string name = StringOrResource(h.hInstance, h.pStartPage);
    for (std::size_t i = 0; i < sheet.pages.size(); ++i)
      if (sheet.pages[i]->title == name) return static_cast<UINT>(i);
    return 0;
  }
  return h.nStartPage < sheet.pages.size() ? h.nStartPage : 0;
}

// The header and its pages as the sheet keeps them; false for a header the sheet cannot run.
bool ReadHeader(const PROPSHEETHEADERW* header, Sheet& sheet) {
  if (!header || header->dwSize < sizeof(PROPSHEETHEADERW)) return false;
  sheet.header = *header;
  if (!ReadPages(*header, sheet) || sheet.pages.empty()) return false;
  sheet.header.nStartPage = StartPage(sheet);
  sheet.header.dwFlags &= ~static_cast<DWORD>(PSH_USEPSTARTPAGE);
  return true;
}

// A modeless sheet: made (which shows it) and handed to its window.
INT_PTR RunModeless(const dialogs::DialogRequest& request, std::unique_ptr<Sheet> sheet) {
  HWND window = dialogs::BuildDialog(request);
  if (!window || sheet->result == -1) {
    if (window) DestroyWindow(window);
    DestroyPages(*sheet);
    return -1;
  }
  AdoptSheet(window, std::move(sheet));
  return reinterpret_cast<INT_PTR>(window);
}

INT_PTR RunSheet(const PROPSHEETHEADERW* header) {
  auto sheet = std::make_unique<Sheet>();
  if (!ReadHeader(header, *sheet) || !RegisterTabControlClass()) {
    DestroyPages(*sheet);
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto callback = (sheet->header.dwFlags & PSH_USECALLBACK) ? sheet->header.pfnCallback : nullptr;
  auto bytes = SheetTemplate();
  if (callback) {
    callback(nullptr, PSCB_GETVERSION, 0);
    callback(nullptr, PSCB_PRECREATE, reinterpret_cast<LPARAM>(bytes.data()));
  }
  dialogs::DialogRequest request;
  request.source = {bytes.data(), bytes.size() * sizeof(std::uint32_t), std::nullopt};
  request.owner = sheet->header.hwndParent;
  request.procedure = SheetProc;
  request.param = reinterpret_cast<LPARAM>(sheet.get());
  if (Modeless(*sheet)) return RunModeless(request, std::move(sheet));
  // A page that ends itself with EndDialog takes the sheet with it, as if cancelled: nothing was
  // applied, so the sheet does not answer OK.
  auto pageEnded = [&sheet] {
    for (const auto& page : sheet->pages) {
      auto record = page->window ? dialogs::FindDialogRecord(page->window) : nullptr;
      if (record && record->ended) return true;
    }
    return false;
  };
  INT_PTR ran = dialogs::RunDialogBox(request, pageEnded);
  DestroyPages(*sheet);
  if (ran == -1 && !sheet->window) return -1;  // the sheet's window could not be made
  return sheet->result;
}

}  // namespace
}  // namespace handset::commctrl

extern "C" INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header) {
  return handset::core::Guarded(-1, [&] { return handset::commctrl::RunSheet(header); });
}
