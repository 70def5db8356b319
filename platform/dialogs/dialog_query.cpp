#include "dialogs/dialog_query.h"

#include "dialogs/dialog_records.h"

namespace handset::dialogs {

std::optional<int> DialogTemplateOf(HWND window) {
  auto record = FindDialogRecord(window);
  return record ? record->templateId : std::nullopt;
}

}  // namespace handset::dialogs
