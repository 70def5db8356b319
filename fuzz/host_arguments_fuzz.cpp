// Any command line for vlmhost (one argument per line of the input) on a device folder of its
// own: a result, a usage error or a refusal naming the argument, never a crash. The commands that
// open the screens are left out (each run takes seconds), and those that wait the seconds they are
// given (led, idle); so are absolute paths, so that nothing outside the fuzzer's own folder is
// written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "commands/commands.h"

namespace {

bool LeftOut(std::string_view argument) {
  return argument == "options" || argument == "screens" || argument == "live" || argument == "led" ||
         argument == "idle" || argument.find('/') != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Relative paths the commands are given land in a folder of the fuzzer's own.
  auto folder = std::filesystem::temp_directory_path() / ("vlmhost-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments{"vlmhost", "--device", "device"};
  while (!text.empty() && arguments.size() < 16) {
    auto end = text.find('\n');
    std::string_view argument = text.substr(0, end);
    if (LeftOut(argument)) return 0;
    arguments.emplace_back(argument);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  std::vector<const char*> argv;
  for (const auto& argument : arguments) argv.push_back(argument.c_str());
  std::ostringstream out, err;
  int code = vlmhost::Run(static_cast<int>(argv.size()), argv.data(), out, err);
  if (code != 0 && err.str().empty()) __builtin_trap();  // a failure always says why
  return 0;
}
