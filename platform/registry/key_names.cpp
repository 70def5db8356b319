#include "registry/key_names.h"

#include <algorithm>

namespace handset::registry {

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool NameLess::operator()(std::u16string_view a, std::u16string_view b) const {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    char16_t x = FoldCase(a[i]);
    char16_t y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

bool IsPrintableText(std::u16string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    if (c < 0x20) return false;
    if (c >= 0xD800 && c < 0xDC00) {
      if (i + 1 == name.size() || name[i + 1] < 0xDC00 || name[i + 1] >= 0xE000) return false;
      ++i;
    } else if (c >= 0xDC00 && c < 0xE000) {
      return false;
    }
  }
  return true;
}

bool IsValidValueName(std::u16string_view name) {
  return name.size() <= kMaxNameLength && IsPrintableText(name);
}

bool IsValidKeyName(std::u16string_view name) {
  return !name.empty() && name.find(u'\\') == std::u16string_view::npos && IsValidValueName(name);
}

bool SplitKeyPath(std::u16string_view text, std::size_t levelsLeft, KeyPath& out) {
  out.count = 0;
  while (!text.empty() && text.back() == u'\\') text.remove_suffix(1);
  if (text.empty()) return true;
  for (;;) {
    std::size_t end = text.find(u'\\');
    std::u16string_view part = text.substr(0, end);
    if (!IsValidKeyName(part) || out.count == levelsLeft || out.count == kMaxDepth) return false;
    out.parts[out.count++] = part;
    if (end == std::u16string_view::npos) return true;
    text.remove_prefix(end + 1);
  }
}

namespace {

constexpr std::array<std::u16string_view, kRootCount> kShortNames = {u"HKCR", u"HKCU", u"HKLM", u"HKU"};
constexpr std::array<std::u16string_view, kRootCount> kLongNames = {
    u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"};

}  // namespace

std::u16string_view ShortRootName(RootKey root) { return kShortNames[static_cast<std::size_t>(root)]; }
std::u16string_view LongRootName(RootKey root) { return kLongNames[static_cast<std::size_t>(root)]; }

std::optional<RootKey> RootFromName(std::u16string_view name) {
  for (std::size_t i = 0; i < kRootCount; ++i)
    if (NamesEqual(name, kShortNames[i]) || NamesEqual(name, kLongNames[i])) return static_cast<RootKey>(i);
  return std::nullopt;
}

bool SplitFullPath(std::u16string_view text, RootKey& root, KeyPath& parts) {
  std::size_t end = text.find(u'\\');
  auto found = RootFromName(text.substr(0, end));
  if (!found) return false;
  root = *found;
  return SplitKeyPath(end == std::u16string_view::npos ? u"" : text.substr(end + 1), kMaxDepth, parts);
}

}  // namespace handset::registry
