// Crash-safe whole-file writes, and writes into a stream (a FIFO, a terminal, /dev/null) that a
// person names as the file to write.
//
// A symbolic link is followed: the file it names is replaced, with the temporary file beside that
// file, so the link itself stays a link. A link that loops is an error with the name given.
#pragma once

#include <filesystem>
#include <string_view>

namespace handset::core {

// The name that a write to `path` replaces: `path` itself, or the end of the chain of symbolic links
// that starts there (a file that does not exist yet when the last link dangles). Throws
// std::runtime_error naming `path` when the chain loops or is too long.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// Replaces the file so that it holds either its old content or the new one, never a part: the
// content goes to a temporary file beside it, reaches the disk, and is then renamed over it. The
// replaced file's permission bits and, where permitted, its owner and group are kept; a new file is
// made with mode 0644. Only a regular file is replaced: anything else (a folder, a FIFO, a device)
// is refused with what it is. What earlier writes of the same file that were cut short left behind
// is removed first. Throws std::runtime_error naming the file and the reason on failure (the old
// file is then left as it was).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// A FIFO or a character device is written into as a stream (a FIFO must have a reader: the write
// does not wait for one); a regular file, or one that does not exist, is replaced atomically as
// above. A block device or a socket is refused. Throws std::runtime_error naming the file and the
// reason on failure.
void WriteFileOrStream(const std::filesystem::path& path, std::string_view contents);

// Removes the temporary files that writes of that file broke off before their rename left behind
// (beside the file that `path` names through its links). A write at work holds a lock on its
// temporary file, so the temporary files of a writer in another process are left alone.
void RemoveTemporaryFiles(const std::filesystem::path& path);

}  // namespace handset::core
