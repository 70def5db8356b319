// GetFileAttributesW and GetFileAttributesExW on the handset's file system. Folders are
// FILE_ATTRIBUTE_DIRECTORY; files carry FILE_ATTRIBUTE_ARCHIVE, as every file written on the device
// does, and FILE_ATTRIBUTE_READONLY when they cannot be written. The last access time is the last
// write time: the device's file systems keep no other.
#include <windows.h>

#include <sys/stat.h>

#include "devices/device_files.h"
#include "core/api_guard.h"

using handset::core::Guarded;

namespace {

// The attributes of a device path, or the Win32 error of the lookup.
DWORD ReadAttributes(LPCWSTR fileName, WIN32_FILE_ATTRIBUTE_DATA* data) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  auto file = handset::devices::ResolveDevicePath(fileName);
  struct stat status {};
  if (file.error == ERROR_SUCCESS && stat(file.path.c_str(), &status) != 0) file.error = ERROR_FILE_NOT_FOUND;
  if (file.error != ERROR_SUCCESS) {
    SetLastError(file.error);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(status.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (data) {
    auto modified = handset::devices::ToFileTime(status.st_mtim.tv_sec, static_cast<std::uint32_t>(status.st_mtim.tv_nsec));
    data->dwFileAttributes = attributes;
    data->ftCreationTime = handset::devices::CreationTime(file.path).value_or(modified);
    data->ftLastAccessTime = modified;
    data->ftLastWriteTime = modified;
    std::uint64_t size = S_ISDIR(status.st_mode) ? 0 : static_cast<std::uint64_t>(status.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
  }
  return attributes;
}

}  // namespace

extern "C" {

DWORD GetFileAttributesW(LPCWSTR fileName) {
  return Guarded<DWORD>(INVALID_FILE_ATTRIBUTES, [&] { return ReadAttributes(fileName, nullptr); });
}

BOOL GetFileAttributesExW(LPCWSTR fileName, GET_FILEEX_INFO_LEVELS level, LPVOID information) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (level != GetFileExInfoStandard || information == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    // The caller's record is written only on success.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (ReadAttributes(fileName, &data) == INVALID_FILE_ATTRIBUTES) return FALSE;
    *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information) = data;
    return TRUE;
  });
}

}  // extern "C"
