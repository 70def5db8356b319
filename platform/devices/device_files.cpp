#include "devices/device_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstring>
#include <vector>

#include "handset/handset.h"
#include "handset/text.h"
#include "loader/loader_state.h"
#include "loader/module_search.h"
#include "core/names.h"

namespace handset::devices {
namespace {

// The creation time travels with the file (and goes with it when it is deleted) as an extended
// attribute holding the FILETIME's 64-bit value.
constexpr const char* kCreationAttribute = "user.handset.creation_time";
constexpr std::int64_t kUnixEpochIn1601Units = 116444736000000000;

std::vector<std::u16string> Components(std::u16string_view devicePath) {
  std::vector<std::u16string> parts;
  std::u16string part;
  auto flush = [&] {
    if (!part.empty() && part != u"." && part != u"..") parts.push_back(part);
    part.clear();
  };
  for (char16_t c : devicePath) {
    if (c == u'\\' || c == u'/')
      flush();
    else
      part += c;
  }
  flush();
  return parts;
}

// The entry of `folder` named `name` in any letter case.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& folder, std::u16string_view name) {
  std::error_code ec;
  std::filesystem::path exact = folder / Utf8(name);
  if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (core::SameName(Utf16(it->path().filename().string()), name)) return it->path();
  return std::nullopt;
}

// "\Windows" shows the handset image beside the device's own files, as a phone shows its ROM: a file
// the device's folder lacks is looked up in the module folders (HANDSET_MODULE_PATH, then the
// installed module folder).
std::optional<std::filesystem::path> ImageFile(const std::vector<std::u16string>& parts) {
  if (parts.size() != 2 || !core::SameName(parts[0], u"Windows")) return std::nullopt;
  for (const auto& folder : loader::ModuleFolders())
    if (auto file = loader::FindInFolder(folder, parts[1])) return file;
  return std::nullopt;
}

std::optional<std::filesystem::path> LoadedModuleFile(std::u16string_view devicePath) {
  auto& loader = core::State<loader::LoaderState>();
  std::lock_guard lock(loader.Mutex());
  loader::Module* module = loader.FindLoaded(devicePath);
  if (module == nullptr || module->hostPath.empty()) return std::nullopt;
  return module->hostPath;
}

}  // namespace

DeviceFile ResolveDevicePath(std::u16string_view devicePath) {
  if (devicePath.find_first_of(u"*?") != std::u16string_view::npos) return {{}, ERROR_INVALID_NAME};
  auto parts = Components(devicePath);
  std::filesystem::path path = Root();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::error_code ec;
    auto entry = std::filesystem::is_directory(path, ec) ? FindEntry(path, parts[i]) : std::nullopt;
    if (!entry) {
      bool inFolder = devicePath.find_first_of(u"\\/") != std::u16string_view::npos;
      if (auto module = inFolder ? LoadedModuleFile(devicePath) : std::nullopt) return {*module, ERROR_SUCCESS};
      if (auto image = ImageFile(parts)) return {*image, ERROR_SUCCESS};
      bool folderFound = i + 1 == parts.size() && std::filesystem::is_directory(path, ec);
      return {{}, folderFound ? DWORD{ERROR_FILE_NOT_FOUND} : DWORD{ERROR_PATH_NOT_FOUND}};
    }
    path = *entry;
  }
  return {path, ERROR_SUCCESS};
}

FILETIME ToFileTime(std::int64_t unixSeconds, std::uint32_t nanoseconds) {
  auto value = static_cast<std::uint64_t>(unixSeconds * 10000000 + nanoseconds / 100 + kUnixEpochIn1601Units);
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

std::optional<FILETIME> CreationTime(const std::filesystem::path& file) {
  std::uint64_t kept = 0;
  if (getxattr(file.c_str(), kCreationAttribute, &kept, sizeof kept) == sizeof kept)
    return FILETIME{static_cast<DWORD>(kept), static_cast<DWORD>(kept >> 32)};
  struct statx status {};
  if (statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME | STATX_MTIME, &status) != 0) return std::nullopt;
  const auto& time = (status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_mtime;
  return ToFileTime(time.tv_sec, time.tv_nsec);
}

bool SetCreationTime(const std::filesystem::path& file, FILETIME time) {
  std::uint64_t value = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  return setxattr(file.c_str(), kCreationAttribute, &value, sizeof value, 0) == 0;
}

}  // namespace handset::devices
