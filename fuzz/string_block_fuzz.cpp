// Any bytes as a block of a string table, as LoadStringW reads an RT_STRING resource: each of the
// 16 entries lies inside the block or is not there.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "loader/string_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char16_t> block(size / 2);
  if (!block.empty()) std::memcpy(block.data(), data, block.size() * 2);
  const char16_t* begin = block.data();
  const char16_t* end = begin + block.size();
  for (int index = 0; index < 16; ++index) {
    auto entry = handset::loader::StringOfBlock(block, index);
    if (entry && (entry->data() < begin || entry->data() + entry->size() > end)) __builtin_trap();
  }
  return 0;
}
