#include <algorithm>
#include <stdexcept>

#include "handset/text.h"
#include "registry/reg_file.h"
#include "strings/windows_1252.h"
#include "winreg.h"

namespace handset::registry {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
bool ParseHex(std::string_view digits, std::size_t maxDigits, std::uint32_t& out) {
  if (digits.empty() || digits.size() > maxDigits) return false;
  out = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return false;
    out = out << 4 | static_cast<std::uint32_t>(d);
  }
  return true;
}

void AppendUnits(std::u16string_view text, std::vector<std::uint8_t>& data) {
  for (char16_t unit : text) {
    data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
}

bool IsUtf8(std::string_view bytes) { return Utf8(Utf16(bytes)) == bytes; }

// How the text of a REGEDIT4 file, kept as bytes there, becomes UTF-16.
enum class ByteText { Utf8, Windows1252 };

// The file's text as UTF-8, and for a REGEDIT4 file how its bytes were read.
struct FileText {
  std::string utf8;
  ByteText byteText = ByteText::Utf8;
};

// Why the part of a key path below its root cannot name a key.
std::string KeyPathProblem(std::u16string_view below) {
  if (!below.empty() && below.back() == u'\\') below.remove_suffix(1);
  std::size_t levels = 0;
  for (;;) {
    std::size_t end = below.find(u'\\');
    std::u16string_view name = below.substr(0, end);
    ++levels;
    if (name.empty()) return "an empty key name";
    if (name.size() > kMaxNameLength) return "a key name longer than " + std::to_string(kMaxNameLength) + " characters";
    if (!IsValidKeyName(name)) return "a key name with characters that a key name cannot hold";
    if (end == std::u16string_view::npos) break;
    below.remove_prefix(end + 1);
  }
  if (levels > kMaxDepth) return "more than " + std::to_string(kMaxDepth) + " levels below the root";
  return "not a key path";
}

constexpr std::string_view kAcceptedHeaders =
    "the first line must be \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"";

class Parser {
 public:
  Parser(const FileText& text, const std::string& fileName)
      : rest_(text.utf8), fileName_(fileName), byteText_(text.byteText) {}

  std::vector<RegFileEntry> Run() {
    std::string_view raw;
    bool sawHeader = false;
    while (NextLine(raw)) {
      std::string_view line = Trim(raw);
      if (line.empty()) continue;
      if (!sawHeader) {
        legacy_ = line == kLegacyRegFileHeader;
        if (line != kRegFileHeader && !legacy_) Fail("not a registry file: " + std::string(kAcceptedHeaders));
        sawHeader = true;
      } else if (line.front() == ';') {
        continue;  // a comment
      } else if (line.front() == '[') {
        ParseKeyLine(line);
      } else if (line.front() == '"' || line.front() == '@') {
        ParseValueLine(line);
      } else {
        Fail("syntax error: expected a [key] line or a \"name\"=value line");
      }
    }
    if (!sawHeader) Fail("empty file: " + std::string(kAcceptedHeaders));
    return std::move(entries_);
  }

 private:
  [[noreturn]] void Fail(const std::string& problem) const {
    throw std::runtime_error(fileName_ + ":" + std::to_string(std::max<std::size_t>(line_, 1)) + ": " + problem);
  }

  bool NextLine(std::string_view& line) {
    if (exhausted_) return false;
    std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    if (end == std::string_view::npos)
      exhausted_ = true;
    else
      rest_.remove_prefix(end + 1);
    ++line_;
    // Every whole file ends with a line end; text after the last one is what was left of a write
    // that broke off (a dword: cut to fewer digits would still read as a number).
    if (exhausted_ && !Trim(line).empty()) Fail("truncated file: the last line has no line end");
    // Text that is not UTF-8 would come back altered, so it is refused rather than guessed at.
    if (!IsUtf8(line)) Fail("the text is not valid UTF-8");
    return true;
  }

  void ParseKeyLine(std::string_view line) {
    if (line.back() != ']') Fail("syntax error: a key line must end with ']'");
    std::string_view inner = line.substr(1, line.size() - 2);
    RegFileEntry entry;
    entry.kind = RegFileEntry::Kind::Key;
    if (!inner.empty() && inner.front() == '-') {
      entry.kind = RegFileEntry::Kind::DeleteKey;
      inner.remove_prefix(1);
    }
    std::u16string path = Utf16(inner);
    KeyPath parts;
    if (!SplitFullPath(path, entry.root, parts)) {
      std::u16string_view rootName = std::u16string_view(path).substr(0, path.find(u'\\'));
      if (!RootFromName(rootName)) Fail("unknown root key '" + Utf8(rootName) + "'");
      std::size_t below = path.find(u'\\');
      Fail("invalid key path '" + std::string(inner) + "': " +
           KeyPathProblem(below == std::u16string::npos ? u"" : std::u16string_view(path).substr(below + 1)));
    }
    if (entry.kind == RegFileEntry::Kind::DeleteKey && parts.count == 0) Fail("a root key cannot be deleted");
    for (std::size_t i = 0; i < parts.count; ++i) entry.path.emplace_back(parts.parts[i]);
    inKey_ = true;
    inDeletedKey_ = entry.kind == RegFileEntry::Kind::DeleteKey;
    entries_.push_back(std::move(entry));
  }

  // A quoted string starting at line[pos]; leaves pos after the closing quote.
  std::u16string ParseQuoted(std::string_view line, std::size_t& pos, const char* what) const {
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
      char c = line[pos];
      if (c == '"') {
        ++pos;
        return Utf16(text);
      }
      if (c == '\\') {
        if (++pos == line.size()) break;
        if (line[pos] != '\\' && line[pos] != '"') Fail(std::string("unknown escape '\\") + line[pos] + "' in " + what);
      }
      text += line[pos];
    }
    Fail(std::string("truncated value: unterminated ") + what);
  }

  void ParseValueLine(std::string_view line) {
    RegFileEntry entry;
    std::size_t pos = 1;
    if (line.front() == '"') {
      pos = 0;
      entry.name = ParseQuoted(line, pos, "value name");
    }
    std::string_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest.front() != '=') Fail("syntax error: expected '=' after the value name");
    rest = Trim(rest.substr(1));
    if (!IsValidValueName(entry.name)) Fail("invalid value name");
    if (!inKey_) Fail("a value before the first [key] line");
    if (inDeletedKey_) Fail("a value under a deleted [-key]");

    entry.kind = RegFileEntry::Kind::Value;
    if (rest == "-") {
      entry.kind = RegFileEntry::Kind::DeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      std::size_t at = 0;
      std::u16string text = ParseQuoted(rest, at, "string");
      if (!Trim(rest.substr(at)).empty()) Fail("syntax error after the string");
      entry.type = REG_SZ;
      AppendUnits(text, entry.data);
      AppendUnits(std::u16string_view(u"\0", 1), entry.data);
    } else if (rest.starts_with("dword:")) {
      std::uint32_t number;
      std::string_view digits = Trim(rest.substr(6));
      if (digits.empty()) Fail("truncated value: dword: without digits");
      if (!ParseHex(digits, 8, number)) Fail("invalid dword '" + std::string(digits) + "'");
      entry.type = REG_DWORD;
      for (int shift = 0; shift < 32; shift += 8) entry.data.push_back(static_cast<std::uint8_t>(number >> shift));
    } else if (rest.starts_with("hex:") || rest.starts_with("hex(")) {
      ParseHexValue(rest, entry);
    } else {
      Fail("unknown value type '" + std::string(rest.substr(0, rest.find(':'))) + "'");
    }
    entries_.push_back(std::move(entry));
  }

  // hex:xx,xx or hex(N):xx,xx, continued over further lines by a trailing backslash.
  void ParseHexValue(std::string_view rest, RegFileEntry& entry) {
    ParseHexBytes(rest, entry);
    if (legacy_ && (entry.type == REG_SZ || entry.type == REG_EXPAND_SZ || entry.type == REG_MULTI_SZ))
      entry.data = BytesAsUnits(entry.data);
  }

  // REGEDIT4 keeps text values as the bytes of the file's text, one per character.
  std::vector<std::uint8_t> BytesAsUnits(const std::vector<std::uint8_t>& bytes) const {
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (byteText_ == ByteText::Utf8 && !IsUtf8(raw)) Fail("the text of the hex value is not valid UTF-8");
    std::vector<std::uint8_t> data;
    AppendUnits(byteText_ == ByteText::Utf8 ? Utf16(raw) : strings::Windows1252ToUtf16(raw), data);
    return data;
  }

  void ParseHexBytes(std::string_view rest, RegFileEntry& entry) {
    std::size_t colon = rest.find(':');
    if (rest[3] == ':') {
      entry.type = REG_BINARY;
    } else {
      std::size_t close = rest.find(')');
      if (close == std::string_view::npos || close + 1 != colon || !ParseHex(rest.substr(4, close - 4), 8, entry.type))
        Fail("unknown value type '" + std::string(rest.substr(0, colon)) + "'");
    }
    std::string_view segment = Trim(rest.substr(colon + 1));
    for (;;) {
      bool continued = !segment.empty() && segment.back() == '\\';
      if (continued) segment = Trim(segment.substr(0, segment.size() - 1));
      ParseBytes(segment, continued, entry.data);
      if (!continued) return;
      std::string_view next;
      if (!NextLine(next)) Fail("truncated value: the file ends inside a continued value");
      segment = Trim(next);
      if (segment.empty()) Fail("truncated value: a continued value breaks off");
    }
  }

  void ParseBytes(std::string_view segment, bool continued, std::vector<std::uint8_t>& data) const {
    while (!segment.empty()) {
      std::size_t comma = segment.find(',');
      std::string_view token = Trim(segment.substr(0, comma));
      std::uint32_t byte;
      if (token.empty()) Fail("truncated value: a byte is missing");
      if (!ParseHex(token, 2, byte)) Fail("invalid byte '" + std::string(token) + "'");
      data.push_back(static_cast<std::uint8_t>(byte));
      if (comma == std::string_view::npos) return;
      segment = segment.substr(comma + 1);
      if (Trim(segment).empty() && !continued) Fail("truncated value: a byte is missing after ','");
      segment = Trim(segment);
    }
  }

  std::string_view rest_;
  const std::string& fileName_;
  const ByteText byteText_;
  bool legacy_ = false;
  std::size_t line_ = 0;
  bool exhausted_ = false;
  bool inKey_ = false;
  bool inDeletedKey_ = false;
  std::vector<RegFileEntry> entries_;
};

// A REGEDIT4 file's first line, before any other text.
bool StartsAsRegedit4(std::string_view bytes) {
  std::size_t start = bytes.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  std::size_t end = bytes.find('\n', start);
  return Trim(bytes.substr(start, end == std::string_view::npos ? end : end - start)) == kLegacyRegFileHeader;
}

// UTF-16LE text (with its byte order mark) becomes UTF-8; a UTF-8 byte order mark is dropped; a
// REGEDIT4 file that is not UTF-8 is Windows-1252.
FileText DecodeText(std::string_view bytes, const std::string& fileName) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return {std::string(bytes.substr(3))};
  if (!bytes.starts_with("\xFF\xFE")) {
    if (StartsAsRegedit4(bytes) && !IsUtf8(bytes))
      return {Utf8(strings::Windows1252ToUtf16(bytes)), ByteText::Windows1252};
    return {std::string(bytes)};
  }
  bytes.remove_prefix(2);
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
  std::size_t line = 1;
  auto fail = [&](const char* problem) { throw std::runtime_error(fileName + ":" + std::to_string(line) + ": " + problem); };
  for (std::size_t i = 0; i < units.size(); ++i) {
    char16_t c = units[i];
    if (c == u'\n')
      ++line;
    else if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
      ++i;
    else if (c >= 0xD800 && c < 0xE000)
      fail("the text is not valid UTF-16 (an unpaired surrogate)");
  }
  if (bytes.size() % 2 != 0) fail("truncated UTF-16 text (an odd number of bytes)");
  return {Utf8(units)};
}

}  // namespace

std::vector<RegFileEntry> ParseRegFile(std::string_view bytes, const std::string& fileName) {
  return Parser(DecodeText(bytes, fileName), fileName).Run();
}

void ApplyRegFile(KeyTree& tree, const std::vector<RegFileEntry>& entries) {
  KeyPtr current;
  for (const auto& entry : entries) {
    KeyPath path;
    path.count = entry.path.size();
    for (std::size_t i = 0; i < path.count; ++i) path.parts[i] = entry.path[i];
    bool created;
    switch (entry.kind) {
      case RegFileEntry::Kind::Key:
        current = KeyTree::Create(tree.Root(entry.root), path, created);
        break;
      case RegFileEntry::Kind::DeleteKey:
        KeyTree::Delete(*tree.Root(entry.root), path);
        current = nullptr;
        break;
      case RegFileEntry::Kind::Value:
        current->SetValue(entry.name, entry.type, entry.data);
        break;
      case RegFileEntry::Kind::DeleteValue:
        current->DeleteValue(entry.name);
        break;
    }
  }
}

}  // namespace handset::registry
