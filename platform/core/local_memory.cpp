// LocalAlloc, LocalFree and LocalSize: the one heap of Windows CE, fixed blocks only. The blocks
// are kept in a table, so a handle that is no block (or one freed already) is refused with
// ERROR_INVALID_HANDLE instead of corrupting the heap, and LocalSize can answer.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "core/api_guard.h"

using handset::core::Guarded;

namespace {

struct Blocks {
  std::mutex mutex;
  std::unordered_map<void*, UINT> sizes;
};

Blocks& AllBlocks() {
  static Blocks blocks;
  return blocks;
}

}  // namespace

extern "C" {

HLOCAL LocalAlloc(UINT flags, UINT bytes) {
  return Guarded<HLOCAL>(nullptr, [&]() -> HLOCAL {
    if (flags & ~static_cast<UINT>(LPTR)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    // A block of 0 bytes is still a block with an address of its own.
    void* block = (flags & LMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
    if (!block) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    auto& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    try {
      blocks.sizes.emplace(block, bytes);
    } catch (...) {
      std::free(block);
      throw;
    }
    return block;
  });
}

HLOCAL LocalFree(HLOCAL block) {
  auto& blocks = AllBlocks();
  std::lock_guard lock(blocks.mutex);
  if (!blocks.sizes.erase(block)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return block;
  }
  std::free(block);
  return nullptr;
}

UINT LocalSize(HLOCAL block) {
  auto& blocks = AllBlocks();
  std::lock_guard lock(blocks.mutex);
  auto found = blocks.sizes.find(block);
  if (found == blocks.sizes.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return found->second;
}

}  // extern "C"
