// Running a dialog modally: DialogBox... make the dialog, disable its owner, run the modal loop
// until EndDialog, destroy the dialog and answer EndDialog's result.
#pragma once

#include <functional>

#include "dialogs/dialog_builder.h"

namespace handset::dialogs {

// `alsoEnded`, when given, ends the loop too (a property sheet whose page ended itself).
INT_PTR RunDialogBox(DialogRequest request, std::function<bool()> alsoEnded = nullptr);

// The top-level window that owns what `window` owns: itself, or the window its child chain
// hangs from.
HWND TopLevelOf(HWND window);

}  // namespace handset::dialogs
