#include "commctrl/sheet_pages.h"

#include "core/api_guard.h"
#include "core/handset.h"
#include "dialogs/dialog_records.h"
#include "handset/dialog_template.h"

namespace handset::commctrl {
namespace {

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

}  // namespace

std::u16string StringOrResource(HINSTANCE instance, LPCWSTR text) {
  if (!text) return {};
  if (!IS_INTRESOURCE(text)) return text;
  WCHAR buffer[MAX_PATH];
  int length = LoadStringW(instance, static_cast<UINT>(reinterpret_cast<UINT_PTR>(text)), buffer, MAX_PATH);
  return std::u16string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

PagePtr MakePage(const PROPSHEETPAGEW& record) {
  if (record.dwSize < sizeof(PROPSHEETPAGEW)) return nullptr;
  auto page = std::make_shared<SheetPage>();
  page->record = record;
  if (!ReadPage(*page)) return nullptr;
  if ((record.dwFlags & PSP_USEREFPARENT) && record.pcRefParent) ++*record.pcRefParent;
  return page;
}

HPROPSHEETPAGE AddPageHandle(const PagePtr& page) {
  page->handle = core::HandleTable::ToHandle<HPROPSHEETPAGE>(core::Current().Handles().Add(page));
  return page->handle;
}

PagePtr FindPage(HPROPSHEETPAGE handle) { return core::Current().Handles().Find<SheetPage>(handle); }

void DestroyPage(SheetPage& page) {
  if (page.window && IsWindow(page.window)) DestroyWindow(page.window);
  page.window = nullptr;
  auto& record = page.record;
  if ((record.dwFlags & PSP_USECALLBACK) && record.pfnCallback) record.pfnCallback(nullptr, PSPCB_RELEASE, &record);
  if ((record.dwFlags & PSP_USEREFPARENT) && record.pcRefParent && *record.pcRefParent > 0) --*record.pcRefParent;
  if (page.handle) core::Current().Handles().Remove<SheetPage>(page.handle);
  page.handle = nullptr;
}

void DestroyPages(Sheet& sheet) {
  for (auto& page : sheet.pages) DestroyPage(*page);
  sheet.pages.clear();
}

}  // namespace handset::commctrl

extern "C" {

HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page) {
  return handset::core::Guarded<HPROPSHEETPAGE>(nullptr, [&]() -> HPROPSHEETPAGE {
    auto made = page ? handset::commctrl::MakePage(*page) : nullptr;
    if (!made) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    return handset::commctrl::AddPageHandle(made);
  });
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  return handset::core::Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto found = handset::commctrl::FindPage(page);
    if (!found) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    handset::commctrl::DestroyPage(*found);
    return TRUE;
  });
}

}  // extern "C"
