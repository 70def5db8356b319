// Running the options screen from vlmhost: its look for a run, the scenario read from a file, and
// the grid of every screen for review.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "handset/screen.h"
#include "handset/user.h"
#include "host_context.h"

namespace vlmhost {

// The sheet has the preferences page, the call forwarding page when the network supports it, and
// the about page.
inline constexpr int kMaxOptionPages = 3;

// The screen sizes of the handset, both orientations.
inline constexpr handset::screen::Size kScreenSizes[] = {{240, 320}, {320, 240}, {240, 240}, {480, 640},
                                                         {640, 480}, {480, 800}, {800, 480}};

struct OptionsLook {
  std::optional<handset::screen::Size> size;  // the screen size for the run; the current one if not set
  bool largeButtons = false;
  bool forwarding = false;  // the network supports forwarding during the run (the sheet's middle page)
};

struct OptionsRunResult {
  int returned = 0;      // what CreateVTOpt returned
  std::string failures;  // the scripted user's failures, one per line; empty when every step held
};

// "480x800" as a size; a CommandError names the text when it is not WIDTHxHEIGHT.
handset::screen::Size ParseScreenSize(const std::string& text);

// Runs CreateVTOpt with the worker window as owner while the scripted user follows `steps`, within
// `timeLimit` when given. The screen size and the large-button setting are those of `look` during
// the run and as before after it.
OptionsRunResult RunOptionsScreen(HostContext& context, const OptionsLook& look, std::vector<handset::user::Step> steps,
                                  std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);

// A step that brings page `page` (0 first) of the options sheet to the front. With `ifPresent`, a
// sheet with fewer pages is left as it is; otherwise that is a failure of the run.
handset::user::Step ShowOptionsPage(int page, bool ifPresent);

// A step that saves the screen as `file`; one that cannot fails the run with the reason.
handset::user::Step SaveScreenshot(std::filesystem::path file);

// The scripted user's scenario words, plus `screenshot [NAME]`, which saves the screen as NAME.png
// (screen-N.png when no name is given) in `screenshotDir`; the files are added to `screenshots`.
// A line that cannot be read is a CommandError naming the file and line.
std::vector<handset::user::Step> ReadOptionsScript(const std::string& text, const std::string& fileName,
                                                   const std::filesystem::path& screenshotDir,
                                                   std::vector<std::filesystem::path>& screenshots);

struct ScreensIndex {
  std::vector<std::string> pictures;  // file names, relative to the output folder
};

// One row of the grid of screens: a screen in one look, its picture file per index of kScreenSizes.
struct ScreenRow {
  std::string title;
  std::string look;
  std::map<int, std::string> files;
};

// A step that saves the screen as `folder`/`file` and enters it in `row` (for the size at
// `sizeIndex`) and in `index`.
handset::user::Step CaptureScreen(const std::filesystem::path& folder, std::string file, ScreenRow& row, int sizeIndex,
                                  ScreensIndex& index);

// The screens behind the forwarding page in the screen size at `sizeIndex`, each reached against
// the simulated network set up for it, entered in `rows` (one row per screen, made by the first
// call); the network's state and behaviour are as before afterwards.
void SaveForwardingScreens(HostContext& context, const std::filesystem::path& folder, int sizeIndex,
                           std::vector<ScreenRow>& rows, ScreensIndex& index);

// Every page in every supported size and orientation and both looks, and the forwarding screens,
// as PNG files in `folder`, with index.html.
ScreensIndex SaveEveryScreen(HostContext& context, const std::filesystem::path& folder);

}  // namespace vlmhost
