#include "registry/registry_state.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "core/atomic_file.h"
#include "core/bounded_read.h"
#include "registry/reg_file.h"

namespace handset::registry {

RegistryState::RegistryState(core::Handset& handset) : file_(handset.Root() / "registry.reg") {
  Load();
  for (std::size_t i = 0; i < kRootCount; ++i) {
    auto root = static_cast<RootKey>(i);
    rootHandles_[i] = std::make_shared<KeyHandle>(KeyHandle{tree_.Root(root), std::u16string(ShortRootName(root))});
  }
}

void RegistryState::Load() {
  try {
    // A write that was cut short (the process killed before its rename) leaves only its temporary
    // file; the registry file itself is whole, so the remains are of no use to anyone.
    core::RemoveTemporaryFiles(file_);
    std::string bytes;
    try {
      bytes = core::ReadRegularFile(file_, kMaxRegFileBytes);
    } catch (const std::system_error& e) {
      if (e.code() == std::errc::no_such_file_or_directory) return;  // a new device (or a dangling link)
      throw;
    }
    ApplyRegFile(tree_, ParseRegFile(bytes, file_.string()));
  } catch (const std::exception& e) {
    // The file is kept as it is for a person to mend; the handset runs on an empty registry that it
    // does not write back, so nothing in that file is lost.
    loadError_ = e.what();
    std::fprintf(stderr, "handset: registry file refused, running with an empty registry that is not saved: %s\n",
                 e.what());
  }
}

RegistryState::~RegistryState() {
  Save();
  // Handles still open outlive the registry in the handle table; they now fail as deleted keys.
  std::unique_lock lock(lock_);
  tree_.Clear();
}

void RegistryState::Write() {
  std::lock_guard order(saveMutex_);
  if (loadError_) throw std::runtime_error("the registry file was refused at start and is not written: " + *loadError_);
  std::string text;
  std::uint64_t generation;
  {
    std::shared_lock lock(lock_);
    generation = generation_;
    if (generation == savedGeneration_) return;
    text = FormatRegFile(tree_);
  }
  core::WriteFileAtomically(file_, text);
  savedGeneration_ = generation;
}

bool RegistryState::Save() {
  if (loadError_) return false;  // said once, when the file was refused
  try {
    Write();
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "handset: registry not saved: %s\n", e.what());
    return false;
  }
}

RegistryState& Registry() { return core::State<RegistryState>(); }

}  // namespace handset::registry
