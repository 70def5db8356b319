// The state a standard control keeps besides what every window has. Each control class keeps its
// records in a table of its own, by window, made at the control's first message and dropped at its
// WM_DESTROY; the table is a handset subsystem, so a handset that shuts down drops what is left.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include <windows.h>

#include "core/handset.h"

namespace handset::controls {

template <class Record>
class RecordTable {
 public:
  std::shared_ptr<Record> Get(HWND window) {
    std::lock_guard lock(mutex_);
    auto& record = records_[window];
    if (!record) record = std::make_shared<Record>();
    return record;
  }
  void Erase(HWND window) {
    std::lock_guard lock(mutex_);
    records_.erase(window);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, std::shared_ptr<Record>> records_;
};

// The record of a control window of this kind; made on first use.
template <class Record>
std::shared_ptr<Record> RecordOf(HWND window) {
  return core::State<RecordTable<Record>>().Get(window);
}

template <class Record>
void ForgetRecord(HWND window) {
  core::State<RecordTable<Record>>().Erase(window);
}

}  // namespace handset::controls
