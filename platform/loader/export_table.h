// A module's export table: the names it exports and their ordinals. Modules built from a .def file
// carry it as text in their ".dllexport" section, one "ordinal name" line per export (ordinal 0
// for an export reached by name only).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace handset::loader {

struct ExportEntry {
  std::u16string name;
  WORD ordinal = 0;  // 0: no ordinal
};

// The entries in file order; nothing (and a reason in `error`) when a line is malformed.
std::optional<std::vector<ExportEntry>> ParseExportTable(std::span<const std::byte> text, std::string& error);

}  // namespace handset::loader
