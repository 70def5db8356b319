#include "dialogs/dialog_records.h"

#include "core/handset.h"

namespace handset::dialogs {

std::shared_ptr<DialogRecord> DialogTable::Find(HWND dialog) const {
  std::lock_guard lock(mutex_);
  auto it = records_.find(dialog);
  return it == records_.end() ? nullptr : it->second;
}

std::shared_ptr<DialogRecord> DialogTable::Get(HWND dialog) {
  std::lock_guard lock(mutex_);
  auto& record = records_[dialog];
  if (!record) record = std::make_shared<DialogRecord>();
  return record;
}

void DialogTable::Erase(HWND dialog) {
  std::lock_guard lock(mutex_);
  records_.erase(dialog);
}

DialogTable& Dialogs() { return core::State<DialogTable>(); }

}  // namespace handset::dialogs
