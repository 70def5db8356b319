// Relayout of a dialog after a rotation: every control of the dialog moves to the place that the
// other layout's template gives it, in one deferred batch, and gets back the content the template
// gives it. The pages of the options sheet call it from WM_SIZE.
#pragma once

#include <windows.h>

// Reads the standard (not extended) dialog template `templateId` of `instance` in place, never past
// the end of the resource. TRUE when every control was found and moved, the batch was committed and
// the template names fewer than two unnamed controls. A truncated or malformed template moves the
// controls read before the fault and gives FALSE; an extended template moves nothing.
BOOL RelayoutDialogFromTemplate(HINSTANCE instance, HWND dialog, UINT templateId);

// Refreshes the template-given content of one moved control, for controls of a predefined class:
// a button's or static's text, a static's icon or bitmap (kept when the new one cannot be loaded), a
// list or combo box's selection scrolled back into view. `classField` and `titleField` point at the
// item's name-or-ordinal fields in the template.
void FixupTemplateItem(HINSTANCE instance, HWND dialog, const DLGITEMTEMPLATE* item, LPCWSTR classField,
                       LPCWSTR titleField);
