// The classes the system registers for every program: the standard controls under the names
// Windows CE gives them, and the dialog class.
#include "windows/system_classes.h"

#include "controls/standard_classes.h"

namespace handset::windows {

std::vector<WNDCLASSW> SystemClasses() {
  auto control = [](LPCWSTR name, WNDPROC procedure, int extra = 0) {
    WNDCLASSW c{};
    c.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
    c.lpfnWndProc = procedure;
    c.cbWndExtra = extra;
    c.lpszClassName = name;
    return c;
  };
  return {
      control(u"button", controls::ButtonProc),
      control(u"edit", controls::EditProc),
      control(u"static", controls::StaticProc),
      control(u"listbox", controls::ListBoxProc),
      control(u"combobox", controls::ComboBoxProc),
      control(u"scrollbar", controls::ScrollBarProc),
      control(kDialogClass, DefDlgProcW, DLGWINDOWEXTRA),
  };
}

}  // namespace handset::windows
