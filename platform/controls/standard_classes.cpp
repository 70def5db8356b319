// The standard control classes under the names Windows CE gives them, global to every program.
#include "controls/standard_classes.h"

namespace handset::controls {

std::vector<WNDCLASSW> StandardClasses() {
  auto control = [](LPCWSTR name, WNDPROC procedure) {
    WNDCLASSW c{};
    c.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
    c.lpfnWndProc = procedure;
    c.lpszClassName = name;
    return c;
  };
  return {
      control(u"button", ButtonProc),   control(u"edit", EditProc),         control(u"static", StaticProc),
      control(u"listbox", ListBoxProc), control(u"combobox", ComboBoxProc), control(u"scrollbar", ScrollBarProc),
  };
}

}  // namespace handset::controls
