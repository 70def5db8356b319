// A property sheet while it runs: the header it was given (a copy it keeps for as long as it is
// up), its pages in tab order, the current page and how it ended. A page is the same record whether
// it came in the header or as a page handle: PropertySheetW makes a page of each record as
// CreatePropertySheetPageW would.
#pragma once

#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/template_source.h"

namespace handset::commctrl {

struct SheetPage {
  PROPSHEETPAGEW record{};  // handed to the page's WM_INITDIALOG
  dialogs::TemplateSource source;
  std::u16string title;   // of its tab
  HWND window = nullptr;  // made when the page is first shown (PSP_PREMATURE: with the sheet)
  HPROPSHEETPAGE handle = nullptr;  // its page handle while it has one
};
using PagePtr = std::shared_ptr<SheetPage>;

struct Sheet {
  PROPSHEETHEADERW header{};
  std::vector<PagePtr> pages;
  HWND window = nullptr;
  HWND tabs = nullptr;
  int current = -1;
  INT_PTR result = 0;  // 1 after OK, 0 after Cancel, -1 when a page could not be made
  bool ended = false;  // after OK or Cancel (a modeless sheet stays up until destroyed)
  bool focusGiven = false;  // to the current page, on the sheet's first activation
};

bool Modeless(const Sheet& sheet);

// The procedure of the sheet's dialog; its WM_INITDIALOG lParam is the Sheet.
INT_PTR SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A modeless sheet's window owns its Sheet from when it is made until it is destroyed.
void AdoptSheet(HWND window, std::unique_ptr<Sheet> sheet);

}  // namespace handset::commctrl
