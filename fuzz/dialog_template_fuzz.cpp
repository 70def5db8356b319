// Any bytes as a dialog template in memory, as a program hands them to DialogBoxIndirectParamW and
// CreateDialogIndirectParamW: the dialog is made (or refused) and closed again, never a crash or
// a read outside the template.
#include <cstddef>
#include <cstdint>

#include <windows.h>

#include "handset/user.h"
#include "template_in_memory.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LPCDLGTEMPLATEW dialogTemplate = TemplateInMemory(data, size);
  handset::user::SetScript({handset::user::Cancel()});
  DialogBoxIndirectParamW(nullptr, dialogTemplate, nullptr, Quiet, 0);
  if (HWND dialog = CreateDialogIndirectParamW(nullptr, dialogTemplate, nullptr, Quiet, 0)) DestroyWindow(dialog);
  return 0;
}
