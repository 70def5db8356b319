// The global --language option: the handset's user-interface language for the run, which chooses
// the library's resource module (its strings, screens and menus).
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "host_context.h"

namespace vlmhost {

// A language id as a person types it: four hexadecimal digits ("0407"), "0x" before them allowed.
// Nothing, and in `why` the reason, when the text is none or names no language (primary language 0:
// the neutral and default ids).
std::optional<LANGID> ParseLanguageId(const std::string& text, std::string& why);
// The id as the option takes it and the resource modules are named: "0407".
std::string LanguageIdText(LANGID language);

void AddLanguageOption(CLI::App& app, HostContext& context);

}  // namespace vlmhost
