// Names in the registry: key and value names compare without regard to letter case, as on the
// device, and key paths are split into their components without copying.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "wcstr.h"

namespace handset::registry {

// The device allows 255 characters in a key or value name and 16 levels of keys below a root.
inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::size_t kMaxDepth = 16;

// The letter case the registry compares in: upper case, as the device does (so enumeration sorts
// "_" after the letters), by the device runtime's case mapping. Inline for ASCII: every lookup of a
// key or value folds its name.
inline char16_t FoldCase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  return towupper(c);
}
bool NamesEqual(std::u16string_view a, std::u16string_view b);

// Orders names case-insensitively; transparent, so a map of names is searched with a view.
struct NameLess {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const;
};

// Text without control characters or lone surrogates: what a quoted name or string in the registry
// file carries exactly.
bool IsPrintableText(std::u16string_view text);

// A name the registry can store and the registry file can carry: printable characters (no control
// characters, no lone surrogates), at most 255 of them; key names are non-empty and hold no
// backslash.
bool IsValidValueName(std::u16string_view name);
bool IsValidKeyName(std::u16string_view name);

// The components of a key path below some key, viewing the caller's text.
struct KeyPath {
  std::array<std::u16string_view, kMaxDepth> parts;
  std::size_t count = 0;
};

// Splits "A\B\C" (trailing backslashes ignored, as Win32 does) into valid key names. Fails on a
// leading backslash, an empty or invalid component, or more levels than `levelsLeft`.
bool SplitKeyPath(std::u16string_view text, std::size_t levelsLeft, KeyPath& out);

// The four roots, indexed as their predefined handles (HKEY_CLASSES_ROOT + index).
enum class RootKey : std::uint8_t { ClassesRoot, CurrentUser, LocalMachine, Users };
inline constexpr std::size_t kRootCount = 4;

std::u16string_view ShortRootName(RootKey root);  // "HKLM"
std::u16string_view LongRootName(RootKey root);   // "HKEY_LOCAL_MACHINE"
// Accepts either spelling, in any letter case.
std::optional<RootKey> RootFromName(std::u16string_view name);

// A full path, "HKLM\Software\Zarvo" or "HKEY_LOCAL_MACHINE\Software\Zarvo": its root and the
// components below it (viewing `text`).
bool SplitFullPath(std::u16string_view text, RootKey& root, KeyPath& parts);

}  // namespace handset::registry
