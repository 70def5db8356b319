#include "commctrl/sheet_template.h"

#include <commctrl.h>

#include "dialogs/template_writer.h"

namespace handset::commctrl {

std::vector<std::uint32_t> SheetTemplate() {
  // The sizes are placeholders: the sheet fills the screen once it is made.
  dialogs::TemplateDialog sheet{WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 160, 200, u"", 8, u"Tahoma", {}};
  sheet.controls.push_back(
      {WC_TABCONTROLW, kSheetTabControlId, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 184, 160, 16});
  return dialogs::WriteTemplate(sheet);
}

}  // namespace handset::commctrl
