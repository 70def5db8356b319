#include "loader/string_block.h"

namespace handset::loader {

std::optional<std::span<const char16_t>> StringOfBlock(std::span<const char16_t> block, int index) {
  std::size_t at = 0;
  for (int entry = 0; entry < index; ++entry) {
    if (at >= block.size()) return std::nullopt;
    at += 1 + block[at];
  }
  if (at >= block.size() || block[at] > block.size() - at - 1) return std::nullopt;
  return block.subspan(at + 1, block[at]);
}

}  // namespace handset::loader
