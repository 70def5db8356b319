// The scenario-file parser on any text, as `vlmhost` hands it a file: every step read or one
// ScenarioError naming a line of the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "handset/user.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    for (const handset::user::Step& step : handset::user::ParseScenario(text))
      if (step.line < 1) __builtin_trap();
  } catch (const handset::user::ScenarioError& error) {
    if (error.Line() < 1) __builtin_trap();
  }
  return 0;
}
