#include "core/bounded_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace handset::core {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const char* what, int error) {
  throw std::system_error(error, std::generic_category(), path.string() + ": " + what);
}

[[noreturn]] void Refuse(const std::filesystem::path& path, const std::string& why) {
  throw std::runtime_error(path.string() + ": " + why);
}

// Refuses what is not a regular file, and a regular file over the limit.
void CheckKindAndSize(const std::filesystem::path& path, const struct stat& status, std::size_t limit) {
  if (S_ISDIR(status.st_mode)) Fail(path, "cannot read", EISDIR);
  if (!S_ISREG(status.st_mode))
    Refuse(path, std::string("is ") + FileKind(status.st_mode) + ", not a regular file; only regular files are read");
  if (static_cast<std::uintmax_t>(status.st_size) > limit)
    Refuse(path, "is " + std::to_string(status.st_size) + " bytes; at most " + DescribeSize(limit) + " are read");
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string DescribeSize(std::size_t bytes) {
  constexpr std::size_t kKiB = 1024, kMiB = 1024 * kKiB;
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
  return std::to_string(bytes) + " bytes";
}

const char* FileKind(unsigned mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "a regular file";
}

std::string ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
  // Looked at before it is opened: opening some devices already does something.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) Fail(path, "cannot open", errno);
  CheckKindAndSize(path, status, limit);
  // Without blocking, should a FIFO have taken the file's place since.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) Fail(path, "cannot open", errno);
  if (::fstat(file.get(), &status) != 0) Fail(path, "cannot read", errno);
  CheckKindAndSize(path, status, limit);

  // A file that grows while it is read is cut at the limit and refused.
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t length = 0;
  for (;;) {
    if (length == bytes.size()) bytes.resize(std::min(limit + 1, bytes.size() + 4096));
    ssize_t got = ::read(file.get(), bytes.data() + length, bytes.size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail(path, "cannot read", errno);
    if (got == 0) break;
    length += static_cast<std::size_t>(got);
    if (length > limit) Refuse(path, "is more than " + DescribeSize(limit) + "; at most that is read");
  }
  bytes.resize(length);
  return bytes;
}

}  // namespace handset::core
