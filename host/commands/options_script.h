// The scenario of `vlmhost options --script`: the scripted user's words, plus `screenshot`.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "handset/user.h"

namespace vlmhost {

// A step that saves the screen as `file`; one that cannot fails the run with the reason.
handset::user::Step SaveScreenshot(std::filesystem::path file);

// The scripted user's scenario words, plus `screenshot [NAME]`, which saves the screen as NAME.png
// (screen-N.png when no name is given) in `screenshotDir`; the files are added to `screenshots`.
// A line that cannot be read is a CommandError naming the file and line.
std::vector<handset::user::Step> ReadOptionsScript(const std::string& text, const std::string& fileName,
                                                   const std::filesystem::path& screenshotDir,
                                                   std::vector<std::filesystem::path>& screenshots);

}  // namespace vlmhost
