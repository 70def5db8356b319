// Running the options screen from vlmhost: CreateVTOpt owned by the worker window, in a look chosen
// for the run, while the scripted user follows the steps; and the sheet's pages as a step sees them.
#pragma once

#include <windows.h>

#include <chrono>
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

struct OptionsLook {
  std::optional<handset::screen::Size> size;  // the screen size for the run; the current one if not set
  bool largeButtons = false;
  bool forwarding = false;  // the network supports forwarding during the run (the sheet's middle page)
};

struct OptionsRunResult {
  int returned = 0;      // what CreateVTOpt returned
  std::string failures;  // the scripted user's failures, one per line; empty when every step held
};

// Runs CreateVTOpt with the worker window as owner while the scripted user follows `steps`, within
// `timeLimit` when given. The screen size and the large-button setting are those of `look` during
// the run and as before after it.
OptionsRunResult RunOptionsScreen(HostContext& context, const OptionsLook& look, std::vector<handset::user::Step> steps,
                                  std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);

// A step that brings page `page` (0 first) of the options sheet to the front. With `ifPresent`, a
// sheet with fewer pages is left as it is; otherwise that is a failure of the run.
handset::user::Step ShowOptionsPage(int page, bool ifPresent);

// For a step of a run: the options sheet up now, its number of pages and the title on a page's tab
// ("page N" when the tab cannot be read).
HWND OptionsSheet();
int PageCount(HWND sheet);
std::string PageTitle(HWND sheet, int page);

}  // namespace vlmhost
