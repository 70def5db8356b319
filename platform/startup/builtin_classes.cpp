// The classes every window manager starts with: the standard controls and the dialog class, from
// the lists the controls and the dialogs provide. The window manager itself knows none of them.
#include "controls/standard_classes.h"
#include "core/handset.h"
#include "dialogs/dialog_class.h"
#include "windows/window_manager.h"

namespace handset::startup {
namespace {

void RegisterBuiltinClasses(windows::WindowManager& manager) {
  for (const auto& description : controls::StandardClasses()) manager.RegisterClass(description);
  manager.RegisterClass(dialogs::DialogClass());
}

const core::WhenMade<windows::WindowManager> kBuiltinClasses(RegisterBuiltinClasses);

}  // namespace
}  // namespace handset::startup
