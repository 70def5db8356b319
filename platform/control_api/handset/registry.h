// Control API of the handset's registry, for tests and tools: reading and writing values directly,
// fault injection, exporting and importing registry files. Nothing here goes through the call
// trace or the injected faults.
//
// Key paths name their root first, short or long and in any letter case ("HKLM\Software\Zarvo",
// "HKEY_LOCAL_MACHINE\Software\Zarvo"; HKCU, HKCR and HKU likewise). Paths and value names are
// UTF-8; the empty value name is the key's default value. A malformed path or name throws
// std::invalid_argument.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "winerror.h"

namespace handset::registry {

struct Value {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // exactly the bytes stored
  bool operator==(const Value&) const = default;
};

// A value as stored, or nothing when the key or the value does not exist.
std::optional<Value> Read(std::string_view keyPath, std::string_view valueName);
// Only a REG_DWORD of 4 bytes.
std::optional<std::uint32_t> ReadDword(std::string_view keyPath, std::string_view valueName);
// Only a REG_SZ or REG_EXPAND_SZ: its text up to the first terminator.
std::optional<std::u16string> ReadString(std::string_view keyPath, std::string_view valueName);

// Stores a value, creating the key and the keys above it as needed.
void Write(std::string_view keyPath, std::string_view valueName, std::uint32_t type,
           std::span<const std::uint8_t> data);
void WriteDword(std::string_view keyPath, std::string_view valueName, std::uint32_t value);
// A REG_SZ with its terminator, as an application writes one.
void WriteString(std::string_view keyPath, std::string_view valueName, std::u16string_view text);

// Removes one value; false when the key or the value does not exist.
bool DeleteValue(std::string_view keyPath, std::string_view valueName);

bool KeyExists(std::string_view keyPath);
// Removes the key with its subtree; false when it does not exist. Handles open on it fail from
// then on with ERROR_KEY_DELETED.
bool DeleteKey(std::string_view keyPath);

// Which calls a key fault affects.
enum class KeyOperation : std::uint8_t { Create = 1, Open = 2, CreateOrOpen = 3 };

// RegCreateKeyExW / RegOpenKeyExW of exactly this key fail with `error` and change nothing, whether
// the caller names the key in one step ("Software\Zarvo\Phone" under HKLM) or in several (opens
// "Software\Zarvo", then "Phone" under it). Keys above and below it are not affected.
void FailKey(std::string_view keyPath, std::int32_t error = ERROR_ACCESS_DENIED,
             KeyOperation operations = KeyOperation::CreateOrOpen);
// RegQueryValueExW of this value fails with `error` (the value itself is kept).
void FailValue(std::string_view keyPath, std::string_view valueName, std::int32_t error = ERROR_ACCESS_DENIED);
void ClearFaults();

// Writes the whole registry as a registry file ("Windows Registry Editor Version 5.00"). A regular
// file is replaced atomically, through its symbolic links (the link stays, the file it names is
// replaced, keeping its permissions); a FIFO or a character device is written into as a stream (a
// FIFO needs a reader already). Throws std::runtime_error naming the file and the reason when it
// cannot be written, and for a folder, a block device or a socket.
void Export(const std::filesystem::path& file);
// The text that Export writes.
std::string ExportText();
// Merges a registry file into the registry, as the registry editor does ([-key] and "name"=-
// delete). All or nothing: the file is read and checked completely first; on any fault this throws
// std::runtime_error "<file>:<line>: <problem>" and the registry is left unchanged. Only a regular
// file (or a link to one) of at most 16 MiB is read; anything else is refused with the reason.
void Import(const std::filesystem::path& file);

// Writes the registry to its file now if it changed since it was loaded or last written, as the
// handset's orderly shutdown would. Throws std::runtime_error with the reason when the file cannot be
// written or was refused at start (then nothing is ever written to it).
void Flush();

// The handset keeps its registry in this file (registry.reg in its root folder).
std::filesystem::path File();
// Why the handset's registry file was refused when the registry started, if it was: "<file>:<line>:
// <problem>", or "<file>: <reason>" when it is not a regular file (a FIFO, a device, a link that
// loops) or is larger than 16 MiB. The handset then runs on an empty registry and never writes that
// file. A symbolic link to a regular file is read, and the file it names is the one saved.
std::optional<std::string> LoadError();

}  // namespace handset::registry
