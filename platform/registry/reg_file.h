// The registry file: the text format of the desktop registry editor, "Windows Registry Editor
// Version 5.00". Keys as [HKEY_LOCAL_MACHINE\Software\Zarvo], values as "name"=dword:00000001,
// "name"="text", hex:01,02 (binary) or hex(N):... (any other type, and text a quoted string cannot
// carry exactly), @= for the default value; [-key] and "name"=- delete. Every line ends with a line
// end, the last one included, so a file cut short is told from a whole one.
//
// The older form with the header "REGEDIT4", as device images often carry, is read too. Its text is
// bytes, not UTF-16: the file is read as UTF-8 when it is valid UTF-8, else as Windows-1252, and so
// are the bytes of its hex(1), hex(2) and hex(7) values (one byte per character), which become
// UTF-16 in the registry. Files are always written in the newer form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_names.h"
#include "registry/key_tree.h"

namespace handset::registry {

struct RegFileEntry {
  enum class Kind { Key, DeleteKey, Value, DeleteValue };
  Kind kind = Kind::Key;
  RootKey root = RootKey::LocalMachine;   // Key, DeleteKey
  std::vector<std::u16string> path;       // Key, DeleteKey: components below the root
  std::u16string name;                    // Value, DeleteValue (empty: the default value)
  std::uint32_t type = 0;                 // Value
  std::vector<std::uint8_t> data;         // Value
};

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kLegacyRegFileHeader = "REGEDIT4";

// The largest registry file that is read, the handset's own or one imported: a device's registry
// is a few hundred KiB at most, and parsing keeps several copies of the text in memory.
inline constexpr std::size_t kMaxRegFileBytes = std::size_t{16} << 20;

// Parses a whole file (UTF-8, or UTF-16LE with its byte order mark; see above for REGEDIT4) before
// anything is applied.
// Throws std::runtime_error "<fileName>:<line>: <problem>" on the first fault.
std::vector<RegFileEntry> ParseRegFile(std::string_view bytes, const std::string& fileName);

// Applies parsed entries in order; they were validated, so this cannot fail.
void ApplyRegFile(KeyTree& tree, const std::vector<RegFileEntry>& entries);

// The whole registry as file text (UTF-8): every key below a root, roots only when they hold values.
std::string FormatRegFile(const KeyTree& tree);

}  // namespace handset::registry
