// What the dialog manager keeps for each dialog besides its window data (DWLP_...): its font and
// base units, the template it came from, its end result and the control that had the focus.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include <windows.h>

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

class DialogTable {
 public:
  std::shared_ptr<DialogRecord> Find(HWND dialog) const;
  // The record of `dialog`, made when it has none yet.
  std::shared_ptr<DialogRecord> Get(HWND dialog);
  void Erase(HWND dialog);

 private:
  mutable std::mutex mutex_;
  std::unordered_map<HWND, std::shared_ptr<DialogRecord>> records_;
};

DialogTable& Dialogs();

}  // namespace handset::dialogs
