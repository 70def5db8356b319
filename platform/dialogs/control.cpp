// The control API's view of dialogs: which template a window was made from.
#include "dialogs/dialog_query.h"
#include "handset/windows.h"

namespace handset::windows {

int DialogTemplate(HWND window) { return dialogs::DialogTemplateOf(window).value_or(0); }

}  // namespace handset::windows
