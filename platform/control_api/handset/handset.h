// Control API of the emulated handset: its lifetime and root folder. Only tests, the host simulator
// and the simulated service library include the headers of this folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace handset {

// Replaces the process's handset with a fresh one: empty registry unless the root holds one, real
// clock, nothing loaded. With an empty root, a fresh temporary folder is made (and removed again when
// the handset shuts down). The previous handset is shut down in order first.
void Reset(const std::filesystem::path& root = {});

// Shuts the current handset down in order: modules are unloaded, the registry is written out. The
// next call into the handset starts a new one (from HANDSET_ROOT, or a fresh temporary folder).
void Shutdown();

// The handset's root folder, where device paths and the registry file live.
std::filesystem::path Root();

// Maps a device path such as "\Windows\x.bmp" to its file under the root folder.
std::filesystem::path HostPath(std::u16string_view devicePath);

// Handles currently alive (keys, threads, files, windows, modules, GDI objects), for leak checks.
std::size_t LiveHandleCount();

}  // namespace handset
