// The clipboard of the handset: one open at a time (the thread that opened it owns the opening),
// data by format as handles of LocalAlloc. Once SetClipboardData accepts a handle the clipboard
// owns it and frees it (LocalFree) when the data is replaced, emptied or the handset shuts down,
// as Win32 and Windows CE do; the caller must not free it. As on Windows CE there is no automatic
// conversion between formats (CF_TEXT is not made from CF_UNICODETEXT), and the handset renders
// nothing late: SetClipboardData with a NULL handle is refused, as is a handle that is no block of
// LocalAlloc (or an empty one).
#include <windows.h>

#include <map>
#include <mutex>

#include "core/api_guard.h"
#include "core/handset.h"

using handset::core::Guarded;

namespace handset::clipboard {
namespace {

class Clipboard {
 public:
  Clipboard() = default;
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;
  ~Clipboard() { FreeAll(); }

  bool Open(HWND owner) {
    std::lock_guard lock(mutex_);
    DWORD thread = GetCurrentThreadId();
    if (openBy_ && openBy_ != thread) return Fail(ERROR_ACCESS_DENIED);
    openBy_ = thread;
    openWindow_ = owner;
    return true;
  }
  bool Close() {
    std::lock_guard lock(mutex_);
    if (!OpenHere()) return Fail(ERROR_CLIPBOARD_NOT_OPEN);
    openBy_ = 0;
    openWindow_ = nullptr;
    return true;
  }
  bool Empty() {
    std::lock_guard lock(mutex_);
    if (!OpenHere()) return Fail(ERROR_CLIPBOARD_NOT_OPEN);
    FreeAll();
    owner_ = openWindow_;
    return true;
  }
  HANDLE Set(UINT format, HANDLE data) {
    std::lock_guard lock(mutex_);
    if (!OpenHere()) return FailWithNull(ERROR_CLIPBOARD_NOT_OPEN);
    if (!format || !data || !LocalSize(data)) return FailWithNull(ERROR_INVALID_PARAMETER);
    auto& slot = data_[format];
    if (slot && slot != data) LocalFree(slot);
    slot = data;
    return data;
  }
  HANDLE Get(UINT format) {
    std::lock_guard lock(mutex_);
    if (!OpenHere()) return FailWithNull(ERROR_CLIPBOARD_NOT_OPEN);
    auto found = data_.find(format);
    return found == data_.end() ? nullptr : found->second;
  }
  bool Has(UINT format) {
    std::lock_guard lock(mutex_);
    return data_.count(format) != 0;
  }
  HWND Owner() {
    std::lock_guard lock(mutex_);
    return owner_;
  }

 private:
  bool OpenHere() const { return openBy_ && openBy_ == GetCurrentThreadId(); }
  static bool Fail(DWORD error) {
    SetLastError(error);
    return false;
  }
  static HANDLE FailWithNull(DWORD error) {
    SetLastError(error);
    return nullptr;
  }
  void FreeAll() {
    for (auto& [format, data] : data_) LocalFree(data);
    data_.clear();
  }

  std::mutex mutex_;
  DWORD openBy_ = 0;
  HWND openWindow_ = nullptr;
  HWND owner_ = nullptr;
  std::map<UINT, HANDLE> data_;
};

Clipboard& TheClipboard() { return core::State<Clipboard>(); }

}  // namespace
}  // namespace handset::clipboard

using handset::clipboard::TheClipboard;

extern "C" {

BOOL OpenClipboard(HWND owner) {
  return Guarded<BOOL>(FALSE, [&] { return TheClipboard().Open(owner) ? TRUE : FALSE; });
}
BOOL CloseClipboard(void) {
  return Guarded<BOOL>(FALSE, [&] { return TheClipboard().Close() ? TRUE : FALSE; });
}
BOOL EmptyClipboard(void) {
  return Guarded<BOOL>(FALSE, [&] { return TheClipboard().Empty() ? TRUE : FALSE; });
}
HANDLE SetClipboardData(UINT format, HANDLE data) {
  return Guarded<HANDLE>(nullptr, [&] { return TheClipboard().Set(format, data); });
}
HANDLE GetClipboardData(UINT format) {
  return Guarded<HANDLE>(nullptr, [&] { return TheClipboard().Get(format); });
}
BOOL IsClipboardFormatAvailable(UINT format) {
  return Guarded<BOOL>(FALSE, [&] { return TheClipboard().Has(format) ? TRUE : FALSE; });
}
HWND GetClipboardOwner(void) {
  return Guarded<HWND>(nullptr, [&] { return TheClipboard().Owner(); });
}

}  // extern "C"
