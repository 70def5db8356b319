#include "core/handset.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <system_error>

#include "handset/handset.h"
#include "handset/text.h"

namespace handset::core {
namespace {

// Creation and shutdown are serialised; readers take the current handset without a lock, so a
// thread that runs while the handset shuts down (a blink thread being stopped) never waits on it.
std::recursive_mutex g_currentMutex;
std::unique_ptr<Handset> g_current;
std::atomic<Handset*> g_currentPointer{nullptr};

std::filesystem::path MakeTemporaryRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / "handset-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
  return pattern;
}

std::unique_ptr<Handset> StartHandset(const std::filesystem::path& root) {
  if (!root.empty()) {
    std::filesystem::create_directories(root);
    return std::make_unique<Handset>(std::filesystem::absolute(root), false);
  }
  return std::make_unique<Handset>(MakeTemporaryRoot(), true);
}

// Shutting down runs subsystem destructors that may call back into the handset (a module's detach
// routine reads the registry), so the handset stays current until its subsystems are gone.
void ShutdownLocked() {
  if (!g_current) return;
  g_current->ShutdownSubsystems();
  g_currentPointer.store(nullptr);
  g_current.reset();
}

void StartLocked(const std::filesystem::path& root) {
  g_current = StartHandset(root);
  g_currentPointer.store(g_current.get());
}

struct ExitShutdown {
  ~ExitShutdown() {
    std::lock_guard lock(g_currentMutex);
    ShutdownLocked();
  }
} g_exitShutdown;

}  // namespace

// Each handset of the process gets its own generation; 0 is never used, so an empty cache never
// matches.
static std::atomic<std::uint64_t> g_nextGeneration{1};

Handset::Handset(std::filesystem::path root, bool removeRootAtEnd)
    : root_(std::move(root)), removeRootAtEnd_(removeRootAtEnd), generation_(g_nextGeneration++) {
  if (!removeRootAtEnd_) rootLock_.emplace(root_);
}

Handset::~Handset() {
  ShutdownSubsystems();
  if (removeRootAtEnd_) {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
}

void Handset::ShutdownSubsystems() {
  shuttingDown_ = true;
  // Each state is released outside the lock so that its destructor may still reach other subsystems.
  for (;;) {
    std::shared_ptr<void> last;
    {
      std::lock_guard lock(mutex_);
      if (subsystems_.empty()) break;
      last = std::move(subsystems_.back().state);
      subsystems_.pop_back();
    }
    last.reset();
  }
}

Handset& Current() {
  if (Handset* current = g_currentPointer.load()) return *current;
  std::lock_guard lock(g_currentMutex);
  if (!g_current) {
    const char* root = std::getenv("HANDSET_ROOT");
    StartLocked(root && *root ? std::filesystem::path(root) : std::filesystem::path());
  }
  return *g_current;
}

}  // namespace handset::core

namespace handset {

void Reset(const std::filesystem::path& root) {
  std::lock_guard lock(core::g_currentMutex);
  core::ShutdownLocked();
  core::StartLocked(root);
}

void Shutdown() {
  std::lock_guard lock(core::g_currentMutex);
  core::ShutdownLocked();
}

std::filesystem::path Root() { return core::Current().Root(); }

std::filesystem::path HostPath(std::u16string_view devicePath) {
  std::filesystem::path path = core::Current().Root();
  std::string utf8 = Utf8(devicePath);
  std::string component;
  for (char c : utf8) {
    if (c == '\\' || c == '/') {
      if (!component.empty() && component != "." && component != "..") path /= component;
      component.clear();
    } else {
      component += c;
    }
  }
  if (!component.empty() && component != "." && component != "..") path /= component;
  return path;
}

std::size_t LiveHandleCount() { return core::Current().Handles().Count(); }

}  // namespace handset
