#include "dialogs/dialog_box.h"

#include "dialogs/dialog_records.h"
#include "dialogs/modal_loop.h"

namespace handset::dialogs {

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

INT_PTR RunDialogBox(DialogRequest request, std::function<bool()> alsoEnded) {
  request.owner = TopLevelOf(request.owner);
  HWND dialog = BuildDialog(request);
  if (!dialog) return -1;
  auto record = GetDialogRecord(dialog);
  if (!record) return -1;  // gone while it was being made
  if (request.owner && IsWindowEnabled(request.owner) && !record->ended) {
    EnableWindow(request.owner, FALSE);
    record->ownerDisabled = true;
  }
  ModalFrame frame;
  frame.kind = ModalKind::Dialog;
  frame.window = dialog;
  frame.templateId = record->templateId;
  frame.ended = [record, dialog, alsoEnded] {
    return record->ended.load() || !IsWindow(dialog) || (alsoEnded && alsoEnded());
  };
  frame.cancel = [dialog] { EndDialog(dialog, IDCANCEL); };
  RunModalLoop(frame);
  // A dialog destroyed without EndDialog still gives its owner back.
  if (record->ownerDisabled && IsWindow(request.owner)) EnableWindow(request.owner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return record->result;
}

}  // namespace handset::dialogs
