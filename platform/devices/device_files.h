// The handset's file system as device paths see it: "\My Documents\a.jpg" names a file below the
// handset's root folder, matched without regard to letter case as on the device; a module the
// loader found outside the root folder shows as the file "\Windows\<name>" it is known by, and so
// does every file of the handset image (the module folders) that the root's "\Windows" lacks. The
// handset keeps each file's creation time, which the host's file system may not record.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace handset::devices {

// The host file of a device path, or the Win32 error that says what is missing:
// ERROR_FILE_NOT_FOUND (the last part), ERROR_PATH_NOT_FOUND (a folder on the way), ERROR_INVALID_NAME
// (wildcards, which device paths never hold).
struct DeviceFile {
  std::filesystem::path path;
  DWORD error = ERROR_SUCCESS;
};
DeviceFile ResolveDevicePath(std::u16string_view devicePath);

// The creation time the handset keeps for a host file: the one set through the control API, else
// the birth time the host file system records, else the last write time. Nothing when the file
// cannot be read.
std::optional<FILETIME> CreationTime(const std::filesystem::path& file);
bool SetCreationTime(const std::filesystem::path& file, FILETIME time);

// A host file time as a FILETIME (100-nanosecond units since 1601, UTC).
FILETIME ToFileTime(std::int64_t unixSeconds, std::uint32_t nanoseconds);

}  // namespace handset::devices
