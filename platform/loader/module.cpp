#include "loader/module.h"

#include "handset/text.h"

namespace handset::loader {

std::optional<ExportIndex> ExportIndex::Build(std::vector<Export> exports, std::string& error) {
  ExportIndex index;
  for (std::size_t i = 0; i < exports.size(); ++i) {
    const ExportEntry& entry = exports[i].entry;
    if (!index.byName_.emplace(entry.name, i).second) {
      error = "export " + Utf8(entry.name) + " is listed twice";
      return std::nullopt;
    }
    if (entry.ordinal != 0 && !index.byOrdinal_.emplace(entry.ordinal, i).second) {
      error = "ordinal " + std::to_string(entry.ordinal) + " is listed twice";
      return std::nullopt;
    }
  }
  index.exports_ = std::move(exports);
  return index;
}

FARPROC ExportIndex::ByName(std::u16string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : exports_[it->second].address;
}

FARPROC ExportIndex::ByOrdinal(WORD ordinal) const {
  auto it = byOrdinal_.find(ordinal);
  return it == byOrdinal_.end() ? nullptr : exports_[it->second].address;
}

}  // namespace handset::loader
