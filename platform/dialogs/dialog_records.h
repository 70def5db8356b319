// What the dialog manager keeps for each dialog besides its window data (DWLP_...): its font and
// base units, the template it came from, its end result and the control that had the focus.
#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include <windows.h>

#include "windows/window_private.h"

namespace handset::dialogs {

struct DialogRecord {
  HFONT font = nullptr;
  bool ownsFont = false;  // made from the template's DS_SETFONT, deleted with the dialog
  SIZE baseUnits{0, 0};   // horizontal and vertical dialog base units in pixels
  std::optional<int> templateId;
  int defaultId = IDOK;
  HWND savedFocus = nullptr;

  // Set by EndDialog, read by the modal loop.
  std::atomic<bool> ended{false};
  std::atomic<INT_PTR> result{0};
  bool ownerDisabled = false;  // the modal loop disabled the owner and EndDialog enables it again
};

// The dialog's record, kept in its window (windows/window_private.h) and gone with it. Find gives
// null when the window has none; Get makes it for a live window that has none yet.
inline std::shared_ptr<DialogRecord> FindDialogRecord(HWND dialog) { return windows::WindowPrivate<DialogRecord>(dialog); }
inline std::shared_ptr<DialogRecord> GetDialogRecord(HWND dialog) { return windows::WindowPrivateOrNew<DialogRecord>(dialog); }

}  // namespace handset::dialogs
