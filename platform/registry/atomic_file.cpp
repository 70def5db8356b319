#include "registry/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace handset::registry {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const char* what, int error) {
  throw std::runtime_error(path.string() + ": " + what + ": " + std::strerror(error));
}

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The pattern of the temporary files; mkostemp fills in the Xs.
std::string TemporaryPrefix(const std::filesystem::path& path) { return path.filename().string() + ".tmp-"; }

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) Fail(path, "cannot read", EISDIR);
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, "cannot open", errno);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) Fail(path, "cannot read", errno);
  return std::move(bytes).str();
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  std::string temporary = (folder / (TemporaryPrefix(path) + "XXXXXX")).string();
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) Fail(path, "cannot create a temporary file", errno);
  bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) {
    SyncFolder(folder);
    return;
  }
  if (ok) error = errno;
  ::unlink(temporary.c_str());
  Fail(path, "cannot write", error);
}

void RemoveTemporaryFiles(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  const std::string prefix = TemporaryPrefix(path);
  constexpr std::size_t kRandomPart = 6;  // the Xs of the pattern
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + kRandomPart && name.starts_with(prefix) && entry.is_regular_file(error))
      std::filesystem::remove(entry.path(), error);
  }
}

}  // namespace handset::registry
