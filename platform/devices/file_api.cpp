// CreateFileW, DeviceIoControl and CloseHandle: named devices, the few file-system openings the
// handset offers, and the closing of every kernel handle (threads, devices, files).
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/api_guard.h"
#include "core/handset.h"
#include "files/device_files.h"
#include "devices/device_namespace.h"
#include "threads/handset_thread.h"
#include "threads/thread_exit.h"
#include "trace/trace.h"

#include <windows.h>

using handset::core::Guarded;

namespace {

using handset::devices::DeviceHandle;

// An opened file of the handset's file system. The handset offers no file I/O through handles, so
// an opening only proves that the file exists until it is closed.
struct OpenFile {
  std::filesystem::path path;
};

HANDLE AddHandle(auto object) {
  auto& handles = handset::core::Current().Handles();
  return handles.ToHandle<HANDLE>(handles.Add(std::move(object)));
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

HANDLE OpenDevice(std::u16string_view name) {
  auto device = handset::core::State<handset::devices::DeviceNamespace>().Find(name);
  if (!device) return Fail(ERROR_FILE_NOT_FOUND);
  return AddHandle(std::make_shared<DeviceHandle>(std::move(device)));
}

// Opens an existing file only; creating files through handles is not part of this handset.
HANDLE OpenExistingFile(std::u16string_view name, DWORD creation) {
  if (creation != OPEN_EXISTING) return Fail(ERROR_NOT_SUPPORTED);
  auto file = handset::files::ResolveDevicePath(name);
  if (file.error != ERROR_SUCCESS) return Fail(file.error);
  std::error_code error;
  if (std::filesystem::is_directory(file.path, error)) return Fail(ERROR_ACCESS_DENIED);
  return AddHandle(std::make_shared<OpenFile>(OpenFile{file.path}));
}

}  // namespace

extern "C" {

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile) {
  return Guarded<HANDLE>(nullptr, [&]() -> HANDLE {
    if (!fileName) return Fail(ERROR_INVALID_PARAMETER);
    std::u16string_view name(fileName);
    return handset::devices::IsDeviceName(name) ? OpenDevice(name) : OpenExistingFile(name, creation);
  });
}

BOOL DeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inSize, LPVOID outBuffer,
                     DWORD outSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    handset::threads::TerminationPoint();
    if (bytesReturned) *bytesReturned = 0;
    auto opened = handset::core::Current().Handles().Find<DeviceHandle>(device);
    if (!opened) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    DWORD returned = 0;
    DWORD error = opened->IoControl(ioControlCode, inBuffer, inSize, outBuffer, outSize, returned);
    if (bytesReturned) *bytesReturned = returned;
    if (error != ERROR_SUCCESS) {
      SetLastError(error);
      return FALSE;
    }
    return TRUE;
  });
}

BOOL CloseHandle(HANDLE object) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& handles = handset::core::Current().Handles();
    // Closing a thread's handle leaves the thread running, as on Win32.
    const char* kind = handles.Remove<handset::threads::HandsetThread>(object) ? "thread"
                       : handles.Remove<DeviceHandle>(object)                   ? "device"
                       : handles.Remove<OpenFile>(object)                       ? "file"
                                                                                : "invalid";
    handset::trace::Record("CloseHandle", {kind});
    if (std::string_view(kind) == "invalid") {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    return TRUE;
  });
}

}  // extern "C"
