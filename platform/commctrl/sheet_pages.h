// Property sheet pages and their handles: made from a copy of a page record with its template read
// at once, found by handle, and destroyed (PSPCB_RELEASE, the parent's count, the handle) by whoever
// owns them: the program until a sheet takes the handle, the sheet from then on.
#pragma once

#include <prsht.h>

#include <string>

#include "commctrl/property_sheet.h"

namespace handset::commctrl {

// A string, or the string resource of `instance` whose id `text` carries.
std::u16string StringOrResource(HINSTANCE instance, LPCWSTR text);

// Null when the record is too small or its template cannot be found or read.
PagePtr MakePage(const PROPSHEETPAGEW& record);
// Gives the page a handle in the handle table.
HPROPSHEETPAGE AddPageHandle(const PagePtr& page);
PagePtr FindPage(HPROPSHEETPAGE handle);
// Destroys the page's window if it has one, tells its callback PSPCB_RELEASE, counts its parent
// down and frees its handle.
void DestroyPage(SheetPage& page);
void DestroyPages(Sheet& sheet);

}  // namespace handset::commctrl
