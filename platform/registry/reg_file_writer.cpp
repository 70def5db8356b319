#include <cstdio>

#include "handset/text.h"
#include "registry/reg_file.h"
#include "winreg.h"

namespace handset::registry {
namespace {

// Bytes per line of a hex value before it is continued, as the registry editor wraps them.
constexpr std::size_t kHexLineWidth = 76;

std::string Quoted(std::u16string_view text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

std::u16string_view AsUnits(const std::vector<std::uint8_t>& data, std::u16string& units) {
  units.resize(data.size() / 2);
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  return units;
}

// A REG_SZ travels as a quoted string only when reading that string back gives the same bytes:
// whole UTF-16 units, one terminator at the very end, printable text before it.
bool QuotedStringCarries(const StoredValue& value, std::u16string& text) {
  if (value.type != REG_SZ || value.data.size() < 2 || value.data.size() % 2 != 0) return false;
  std::u16string_view units = AsUnits(value.data, text);
  if (units.back() != 0) return false;
  text.pop_back();
  return IsPrintableText(text);
}

void AppendHex(std::string& line, const std::vector<std::uint8_t>& data, std::string& out) {
  char byte[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    bool more = i + 1 < data.size();
    std::snprintf(byte, sizeof byte, more ? "%02x," : "%02x", data[i]);
    line += byte;
    if (more && line.size() >= kHexLineWidth) {
      out += line;
      out += "\\\n";
      line = "  ";
    }
  }
}

void WriteValue(const StoredValue& value, std::string& out) {
  std::string line = value.name.empty() ? "@=" : Quoted(value.name) + "=";
  std::u16string text;
  if (QuotedStringCarries(value, text)) {
    line += Quoted(text);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%08x",
                  static_cast<unsigned>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                        static_cast<std::uint32_t>(value.data[3]) << 24));
    line += digits;
  } else {
    char prefix[24];
    if (value.type == REG_BINARY)
      std::snprintf(prefix, sizeof prefix, "hex:");
    else
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    line += prefix;
    AppendHex(line, value.data, out);
  }
  out += line;
  out += '\n';
}

void WriteKey(const std::string& path, const Key& key, bool always, std::string& out) {
  if (always || !key.values.empty()) {
    out += '[' + path + "]\n";
    for (const auto& value : key.values) WriteValue(value, out);
    out += '\n';
  }
  for (const auto& [name, subkey] : key.subkeys) WriteKey(path + '\\' + Utf8(name), *subkey, true, out);
}

}  // namespace

std::string FormatRegFile(const KeyTree& tree) {
  std::string out(kRegFileHeader);
  out += "\n\n";
  for (std::size_t i = 0; i < kRootCount; ++i) {
    auto root = static_cast<RootKey>(i);
    WriteKey(Utf8(LongRootName(root)), *tree.Root(root), false, out);
  }
  return out;
}

}  // namespace handset::registry
