#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/bounded_read.h"

namespace handset::core {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& what, int error) {
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

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  return path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
}

// The pattern of the temporary files; mkostemp fills in the Xs.
std::string TemporaryPrefix(const std::filesystem::path& path) { return path.filename().string() + ".tmp-"; }
constexpr std::size_t kRandomPart = 6;  // the Xs of the pattern

// The limit that the kernel puts on the links it follows in one name.
constexpr int kMaxLinks = 40;

// The replaced file's permission bits, owner and group, given to its replacement.
void KeepModeAndOwner(int fd, const struct stat* replaced) {
  if (!replaced) {
    ::fchmod(fd, 0644);
    return;
  }
  // The owner first: changing it clears the set-user-ID and set-group-ID bits, which the mode
  // then puts back. Only a privileged writer may give the file away; others keep it as theirs.
  if (replaced->st_uid != ::geteuid() || replaced->st_gid != ::getegid()) {
    [[maybe_unused]] bool kept = ::fchown(fd, replaced->st_uid, replaced->st_gid) == 0 ||
                                 ::fchown(fd, static_cast<uid_t>(-1), replaced->st_gid) == 0;
  }
  ::fchmod(fd, replaced->st_mode & 07777);
}

}  // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
  std::filesystem::path name = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat status {};
    if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
    std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096), '\0');
    ssize_t length = ::readlink(name.c_str(), target.data(), target.size());
    if (length < 0) Fail(path, "cannot follow the link", errno);
    target.resize(static_cast<std::size_t>(length));
    std::filesystem::path next(target);
    name = next.is_absolute() ? next : FolderOf(name) / next;
  }
  Fail(path, "cannot follow the link", ELOOP);
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  const std::filesystem::path target = FollowLinks(path);
  struct stat replaced {};
  bool exists = ::stat(target.c_str(), &replaced) == 0;
  if (exists && S_ISDIR(replaced.st_mode)) Fail(path, "cannot write", EISDIR);
  if (exists && !S_ISREG(replaced.st_mode))
    throw std::runtime_error(path.string() + ": is " + FileKind(replaced.st_mode) +
                             ", not a regular file; it is not replaced");
  RemoveTemporaryFiles(target);

  const std::filesystem::path folder = FolderOf(target);
  std::string temporary = (folder / (TemporaryPrefix(target) + std::string(kRandomPart, 'X'))).string();
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) Fail(path, "cannot create a temporary file", errno);
  // Held until the rename, so that the clean-up of another writer leaves this file alone.
  ::flock(fd, LOCK_EX);
  KeepModeAndOwner(fd, exists ? &replaced : nullptr);
  bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0 && ::rename(temporary.c_str(), target.c_str()) == 0;
  int error = errno;
  ::close(fd);
  if (ok) {
    SyncFolder(folder);
    return;
  }
  ::unlink(temporary.c_str());
  Fail(path, "cannot write", error);
}

void WriteFileOrStream(const std::filesystem::path& path, std::string_view contents) {
  struct stat status {};
  // stat follows every link, the kernel's own too (/dev/stdout, /proc/self/fd/1 naming a pipe).
  if (::stat(path.c_str(), &status) != 0 && errno != ENOENT) Fail(path, "cannot write", errno);
  bool stream = S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode);
  if (S_ISBLK(status.st_mode) || S_ISSOCK(status.st_mode))
    throw std::runtime_error(path.string() + ": is " + FileKind(status.st_mode) +
                             "; only a regular file, a FIFO or a character device is written");
  if (!stream) {
    WriteFileAtomically(path, contents);
    return;
  }
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0 && errno == ENXIO) throw std::runtime_error(path.string() + ": cannot write: no process reads the FIFO");
  if (fd < 0) Fail(path, "cannot open", errno);
  // Blocking from here on: a reader that is slower than this writer is waited for.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  bool ok = WriteAll(fd, contents);
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) Fail(path, "cannot write", error);
}

void RemoveTemporaryFiles(const std::filesystem::path& path) {
  const std::filesystem::path target = FollowLinks(path);
  const std::string prefix = TemporaryPrefix(target);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
    std::string name = entry.path().filename().string();
    if (name.size() != prefix.size() + kRandomPart || !name.starts_with(prefix)) continue;
    int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat status {};
    // A regular file that no writer holds: its writer was stopped before the rename.
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      std::filesystem::remove(entry.path(), error);
    ::close(fd);
  }
}

}  // namespace handset::core
