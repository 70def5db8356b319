// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace handset::registry {

// The file's bytes; throws std::runtime_error naming the file when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces the file so that it holds either its old content or the new one, never a part: the
// content goes to a temporary file beside it, reaches the disk, and is then renamed over it.
// Throws std::runtime_error naming the file on failure (the old file is then left as it was).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Removes the temporary files that writes of that file broke off before their rename left behind.
// Only for a file that no other writer is writing at the same time.
void RemoveTemporaryFiles(const std::filesystem::path& path);

}  // namespace handset::registry
