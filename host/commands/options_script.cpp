#include "commands/options_script.h"

#include <map>
#include <sstream>
#include <string_view>

#include "handset/screen.h"
#include "host_context.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

std::string Trim(std::string_view text) {
  auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  auto end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(begin, end - begin + 1));
}

}  // namespace

user::Step SaveScreenshot(std::filesystem::path file) {
  // A screenshot that cannot be written fails the run before the sheet is closed with OK, so that
  // nothing of a run with a missing picture is stored.
  return user::Run("screenshot " + file.string(), [file] {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path().empty() ? "." : file.parent_path(), error);
    handset::screen::WritePng(file);
  });
}

std::vector<user::Step> ReadOptionsScript(const std::string& text, const std::string& fileName,
                                          const std::filesystem::path& screenshotDir,
                                          std::vector<std::filesystem::path>& screenshots) {
  // The screenshot lines are taken out (blank lines keep the numbering) and put back among the
  // scripted user's steps by their line numbers.
  std::map<int, user::Step> shots;
  std::string scenario;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string trimmed = Trim(line);
    if (trimmed == "screenshot" || trimmed.rfind("screenshot ", 0) == 0) {
      std::string name = Trim(std::string_view(trimmed).substr(std::string("screenshot").size()));
      if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
      if (name.empty()) name = "screen-" + std::to_string(shots.size() + 1);
      if (name.find('/') != std::string::npos || name == "." || name == "..")
        throw CommandError(fileName + ": line " + std::to_string(number) + ": a screenshot name is a file name, not a path");
      std::filesystem::path file = screenshotDir / (name + (std::filesystem::path(name).has_extension() ? "" : ".png"));
      screenshots.push_back(file);
      user::Step step = SaveScreenshot(file);
      step.line = number;
      shots.emplace(number, std::move(step));
      scenario += "\n";
    } else {
      scenario += line + "\n";
    }
  }
  std::vector<user::Step> parsed;
  try {
    parsed = user::ParseScenario(scenario);
  } catch (const user::ScenarioError& error) {
    throw CommandError(fileName + ": " + error.what());
  }
  std::vector<user::Step> steps;
  auto shot = shots.begin();
  for (auto& step : parsed) {
    for (; shot != shots.end() && shot->first < step.line; ++shot) steps.push_back(std::move(shot->second));
    steps.push_back(std::move(step));
  }
  for (; shot != shots.end(); ++shot) steps.push_back(std::move(shot->second));
  return steps;
}

}  // namespace vlmhost
