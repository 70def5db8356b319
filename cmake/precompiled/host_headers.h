// The header-only libraries the host's sources include, parsed once for all of them (VLMRC_PCH).
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
