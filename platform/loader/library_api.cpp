// LoadLibraryW, GetProcAddressW, FreeLibrary, GetModuleFileNameW and GetModuleHandleW.
#include <windows.h>

#include <string>

#include "handset/text.h"
#include "core/api_guard.h"
#include "loader/loader_state.h"
#include "trace/trace.h"

using handset::core::Guarded;
using handset::loader::Loader;
using handset::loader::Module;

extern "C" {

HINSTANCE LoadLibraryW(LPCWSTR fileName) {
  return Guarded<HINSTANCE>(nullptr, [&]() -> HINSTANCE {
    if (fileName == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    handset::trace::Record("LoadLibraryW", {handset::Utf8(fileName)});
    return Loader().Load(fileName);
  });
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName) {
  return Guarded<FARPROC>(nullptr, [&]() -> FARPROC {
    bool byOrdinal = IS_INTRESOURCE(procName);
    WORD ordinal = LOWORD(reinterpret_cast<ULONG_PTR>(procName));
    handset::trace::Record("GetProcAddressW",
                           {byOrdinal ? "#" + std::to_string(ordinal) : handset::Utf8(procName)});
    auto& loader = Loader();
    std::lock_guard lock(loader.Mutex());
    Module* found = loader.Find(module);
    if (found == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    FARPROC address = byOrdinal ? found->exports.ByOrdinal(ordinal) : found->exports.ByName(procName);
    if (address == nullptr) SetLastError(ERROR_PROC_NOT_FOUND);
    return address;
  });
}

BOOL FreeLibrary(HMODULE module) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto& loader = Loader();
    std::lock_guard lock(loader.Mutex());
    Module* found = module == nullptr ? nullptr : loader.Find(module);
    handset::trace::Record("FreeLibrary", {found ? handset::Utf8(found->fileName) : std::string()});
    if (found == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    loader.Release(*found);
    return TRUE;
  });
}

// Reports the module's device path. A buffer too small receives as much as fits and a terminator,
// and the call returns its size with ERROR_INSUFFICIENT_BUFFER, as current Win32 does.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  return Guarded<DWORD>(0, [&]() -> DWORD {
    auto& loader = Loader();
    std::lock_guard lock(loader.Mutex());
    Module* found = loader.Find(module);
    if (found == nullptr) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    if (fileName == nullptr || size == 0) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    const std::u16string& path = found->devicePath;
    DWORD copied = path.size() < size ? static_cast<DWORD>(path.size()) : size - 1;
    path.copy(fileName, copied);
    fileName[copied] = u'\0';
    if (copied < path.size()) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return size;
    }
    return copied;
  });
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  return Guarded<HMODULE>(nullptr, [&]() -> HMODULE {
    auto& loader = Loader();
    std::lock_guard lock(loader.Mutex());
    Module* found = moduleName == nullptr ? loader.Find(nullptr) : loader.FindLoaded(moduleName);
    if (found == nullptr) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return nullptr;
    }
    return found->handle;
  });
}

}  // extern "C"
