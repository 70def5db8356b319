// Making a dialog from its template, as CreateDialogIndirectParamW does: the dialog window with
// the template's font, its controls in template order with that font, WM_INITDIALOG, the first
// control's focus, and the window shown when the template asks for it.
#pragma once

#include <windows.h>

#include "dialogs/template_source.h"

namespace handset::dialogs {

struct DialogRequest {
  HINSTANCE instance = nullptr;
  TemplateSource source;
  HWND owner = nullptr;
  DLGPROC procedure = nullptr;
  LPARAM param = 0;
  // Style bits taken from and added to the template's own (a property sheet makes its pages
  // child windows whatever their templates say).
  DWORD removeStyle = 0;
  DWORD addStyle = 0;
};

// The dialog, or null (a template that cannot be read, a control that cannot be made).
HWND BuildDialog(const DialogRequest& request);

// Dialog units to pixels with the dialog's base units, rounded as MulDiv rounds.
RECT DialogUnitsToPixels(const RECT& units, SIZE baseUnits);

}  // namespace handset::dialogs
