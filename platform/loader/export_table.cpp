#include "loader/export_table.h"

#include <string_view>

namespace handset::loader {
namespace {

bool IdentifierCharacter(char c, bool first) {
  return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (!first && c >= '0' && c <= '9');
}

std::optional<ExportEntry> ParseLine(std::string_view line) {
  std::size_t space = line.find(' ');
  if (space == std::string_view::npos || space == 0 || space > 5) return std::nullopt;
  unsigned ordinal = 0;
  for (char c : line.substr(0, space)) {
    if (c < '0' || c > '9') return std::nullopt;
    ordinal = ordinal * 10 + static_cast<unsigned>(c - '0');
  }
  std::string_view name = line.substr(space + 1);
  if (ordinal > 0xFFFF || name.empty()) return std::nullopt;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (!IdentifierCharacter(name[i], i == 0)) return std::nullopt;
  return ExportEntry{std::u16string(name.begin(), name.end()), static_cast<WORD>(ordinal)};
}

}  // namespace

std::optional<std::vector<ExportEntry>> ParseExportTable(std::span<const std::byte> text, std::string& error) {
  std::string_view rest(reinterpret_cast<const char*>(text.data()), text.size());
  std::vector<ExportEntry> entries;
  for (int number = 1; !rest.empty(); ++number) {
    std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
      error = "export table line " + std::to_string(number) + " is not terminated";
      return std::nullopt;
    }
    auto entry = ParseLine(rest.substr(0, end));
    if (!entry) {
      error = "export table line " + std::to_string(number) + " is malformed";
      return std::nullopt;
    }
    entries.push_back(std::move(*entry));
    rest.remove_prefix(end + 1);
  }
  return entries;
}

}  // namespace handset::loader
