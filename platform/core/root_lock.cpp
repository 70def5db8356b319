#include "core/root_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

namespace handset::core {
namespace {

constexpr std::chrono::milliseconds kDefaultWait{10000};
constexpr std::chrono::milliseconds kRetryEvery{50};

std::chrono::milliseconds Wait() {
  const char* text = std::getenv("HANDSET_LOCK_TIMEOUT");
  if (text == nullptr || *text == '\0') return kDefaultWait;
  char* end = nullptr;
  double seconds = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(seconds) || seconds < 0 || seconds > 86400)
    throw std::runtime_error(std::string("HANDSET_LOCK_TIMEOUT '") + text + "' is not a number of seconds (0 to 86400)");
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

}  // namespace

RootLock::RootLock(const std::filesystem::path& root) {
  // The folder itself carries the lock, so the lock leaves nothing behind in it. A lock held by a
  // process goes with it however it ends.
  fd_ = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) throw std::runtime_error(root.string() + ": cannot open the folder: " + std::strerror(errno));
  const auto wait = Wait();
  const auto giveUp = std::chrono::steady_clock::now() + wait;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
      ::close(fd_);
      if (error != EWOULDBLOCK) throw std::runtime_error(root.string() + ": cannot lock the folder: " + std::strerror(error));
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(wait.count()) / 1000);
      throw std::runtime_error(root.string() + ": the folder is in use by another process; gave up after " + seconds +
                               " s (HANDSET_LOCK_TIMEOUT sets the wait)");
    }
    std::this_thread::sleep_for(kRetryEvery);
  }
}

RootLock::~RootLock() { ::close(fd_); }

}  // namespace handset::core
