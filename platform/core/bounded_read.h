// Reading a whole file that a person gave us: only a regular file (or a link to one), and only up to a
// stated size, both checked before anything is read. A FIFO, a device or a socket is refused without
// waiting on it, so that a file named by mistake (or a link to /dev/zero) neither hangs nor fills
// the memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace handset::core {

// The file's bytes. Throws std::system_error with the error of the open or the read (ENOENT when it
// does not exist, ELOOP for a link that loops, EISDIR for a folder), or std::runtime_error for a file
// refused ("is a FIFO, not a regular file", "is N bytes; at most 16 MiB are read"); the text names
// the file.
std::string ReadRegularFile(const std::filesystem::path& path, std::size_t limit);

// "16 MiB", "1 MiB", "512 KiB", "100 bytes": a size limit as messages name it.
std::string DescribeSize(std::size_t bytes);

// What a file that is not a regular file is, from its st_mode: "a FIFO", "a character device"...
const char* FileKind(unsigned mode);

}  // namespace handset::core
