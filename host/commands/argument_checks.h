// Checks that every vlmhost argument passes before anything runs, so that a value the user did not
// mean is refused with the argument's name instead of being stored.
#pragma once

#include <CLI/CLI.hpp>

namespace vlmhost {

// Adds to every option of the application and its subcommands: numbers must not be empty (CLI11
// would read "" as 0) and must be finite; text must be valid UTF-8 (the device keeps UTF-16, and
// other bytes would be stored as U+FFFD).
void AddArgumentChecks(CLI::App& app);

// A path that names something: "" is refused.
extern const CLI::Validator kNonEmptyPath;

}  // namespace vlmhost
