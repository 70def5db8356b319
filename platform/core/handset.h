// The process's one handset: its root folder, its handle table and the state of each subsystem.
// Subsystems keep their state in a class of their own that the handset creates on first use and
// destroys, in reverse order of creation, when it shuts down; a subsystem's destructor is its
// orderly shutdown (the registry writes its file there, the loader unloads modules).
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "core/handle_table.h"

namespace handset::core {

// How a subsystem above another one wires itself in: a step registered at load (a WhenMade object
// at namespace scope) runs every time the state of type T is made, on the thread that made it and
// before any other thread can reach the state. The controls register their window classes into
// each window manager this way, and the scripted user installs itself into the modal loops; the
// subsystem below names nothing of those above.
template <class T>
class WhenMade {
 public:
  explicit WhenMade(void (*step)(T&)) { Steps().push_back(step); }
  static void Run(T& state) {
    for (auto* step : Steps()) step(state);
  }

 private:
  // Filled while the library loads, read-only afterwards.
  static std::vector<void (*)(T&)>& Steps() {
    static std::vector<void (*)(T&)> steps;
    return steps;
  }
};

class Handset {
 public:
  Handset(std::filesystem::path root, bool removeRootAtEnd);
  ~Handset();
  Handset(const Handset&) = delete;
  Handset& operator=(const Handset&) = delete;

  const std::filesystem::path& Root() const { return root_; }

  // Destroys the subsystem states in reverse order of creation while the handset is still current.
  void ShutdownSubsystems();
  HandleTable& Handles() { return handles_; }

  // The subsystem state of type T, created on first use. T is constructed from the handset when it
  // has such a constructor, else by default.
  template <class T>
  T& Get() {
    // Every Win32 call reaches its subsystem through here, so the state found is remembered per
    // type, together with the generation of the handset it belongs to. A handset is never replaced
    // while calls run, and while it shuts down nothing is remembered.
    static std::atomic<std::uint64_t> cachedGeneration{0};
    static std::atomic<T*> cached{nullptr};
    if (!shuttingDown_.load(std::memory_order_relaxed) &&
        cachedGeneration.load(std::memory_order_acquire) == generation_)
      return *cached.load(std::memory_order_relaxed);
    T& state = Find<T>();
    if (!shuttingDown_.load()) {
      cached.store(&state, std::memory_order_relaxed);
      cachedGeneration.store(generation_, std::memory_order_release);
    }
    return state;
  }

 private:
  template <class T>
  T& Find() {
    std::lock_guard lock(mutex_);
    for (auto& s : subsystems_)
      if (s.kind == typeid(T)) return *static_cast<T*>(s.state.get());
    std::shared_ptr<T> state;
    if constexpr (std::is_constructible_v<T, Handset&>)
      state = std::make_shared<T>(*this);
    else
      state = std::make_shared<T>();
    subsystems_.push_back({typeid(T), state});
    WhenMade<T>::Run(*state);
    return *state;
  }

  struct Subsystem {
    std::type_index kind;
    std::shared_ptr<void> state;
  };
  std::filesystem::path root_;
  bool removeRootAtEnd_;
  const std::uint64_t generation_;
  std::atomic<bool> shuttingDown_{false};
  HandleTable handles_;
  std::recursive_mutex mutex_;
  std::vector<Subsystem> subsystems_;
};

// The current handset, started on first use from HANDSET_ROOT or a fresh temporary folder.
Handset& Current();

// Shorthand for Current().Get<T>().
template <class T>
T& State() {
  return Current().Get<T>();
}

}  // namespace handset::core
