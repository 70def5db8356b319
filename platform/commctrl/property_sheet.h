// A property sheet while it runs: the header and page records it was given (copies it keeps for
// as long as it is up), the page windows made so far, the current page and how it ended.
#pragma once

#include <prsht.h>

#include <string>
#include <vector>

#include "dialogs/template_source.h"

namespace handset::commctrl {

struct SheetPage {
  PROPSHEETPAGEW record{};  // handed to the page's WM_INITDIALOG
  dialogs::TemplateSource source;
  std::u16string title;  // of its tab
  HWND window = nullptr;  // made when the page is first shown
};

struct Sheet {
  PROPSHEETHEADERW header{};
  std::vector<SheetPage> pages;
  HWND window = nullptr;
  HWND tabs = nullptr;
  int current = -1;
  INT_PTR result = 0;  // 1 after OK, 0 after Cancel, -1 when a page could not be made
  bool changed = false;
};

// The procedure of the sheet's dialog; its WM_INITDIALOG lParam is the Sheet.
INT_PTR SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace handset::commctrl
