// A block of a string table (an RT_STRING resource): 16 entries, each a length and that many
// UTF-16 units, without terminator.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace handset::loader {

// Entry `index` (0 to 15) of the block, pointing into it; none when the block is cut short before
// the entry ends.
std::optional<std::span<const char16_t>> StringOfBlock(std::span<const char16_t> block, int index);

}  // namespace handset::loader
