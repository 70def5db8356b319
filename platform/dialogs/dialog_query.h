// What the dialog manager tells those above it about a window.
#pragma once

#include <optional>

#include <windows.h>

namespace handset::dialogs {

// The dialog template the window was made from; none for a window that is not such a dialog.
std::optional<int> DialogTemplateOf(HWND window);

}  // namespace handset::dialogs
