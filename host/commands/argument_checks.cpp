#include "commands/argument_checks.h"

#include <cmath>
#include <string>

#include "handset/text.h"

namespace vlmhost {
namespace {

// CLI11's names for the types of its options, followed by ":" and what their checks say.
bool IsNumber(const std::string& typeName) {
  std::string type = typeName.substr(0, typeName.find(':'));
  return type == "INT" || type == "UINT" || type == "FLOAT";
}

const CLI::Validator kNumber(
    [](std::string& value) -> std::string {
      if (value.empty()) return "an empty value is not a number";
      // Range checks let NaN through, and no setting is infinite.
      char* end = nullptr;
      double number = std::strtod(value.c_str(), &end);
      if (*end == '\0' && !std::isfinite(number)) return "'" + value + "' is not a finite number";
      return {};
    },
    "");

const CLI::Validator kUtf8Text(
    [](std::string& value) -> std::string {
      if (handset::Utf8(handset::Utf16(value)) != value) return "the value is not valid UTF-8 text";
      return {};
    },
    "");

}  // namespace

const CLI::Validator kNonEmptyPath(
    [](std::string& value) -> std::string { return value.empty() ? "an empty path names no file or folder" : ""; },
    "");

void AddArgumentChecks(CLI::App& app) {
  for (CLI::Option* option : app.get_options()) {
    if (option->get_expected_min() == 0) continue;  // a flag
    option->check(IsNumber(option->get_type_name()) ? kNumber : kUtf8Text);
  }
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) AddArgumentChecks(*command);
}

}  // namespace vlmhost
