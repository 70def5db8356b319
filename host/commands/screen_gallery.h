// `vlmhost screens`: every page of the options screen in every screen size and look, as opened, after
// the open sheet is turned to the other orientation and back and with the input panel up, and the
// forwarding screens behind it, in each language, saved as pictures for review; with the screen
// audit run on every picture when asked.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host_context.h"

namespace vlmhost {

struct ScreensResult {
  std::vector<std::string> pictures;  // file names, relative to the output folder
  std::size_t findings = 0;           // of the audit, on all pictures
  Json summary;                       // the audit's findings counted by kind and by picture
};

// Every page in every supported size and orientation, both looks and each state, and the
// forwarding screens, in each of kGalleryLanguages, as PNG files in `folder` with index.html; with
// `audit`, the screen audit of each picture, marked on the page and written to audit.json.
ScreensResult SaveEveryScreen(HostContext& context, const std::filesystem::path& folder, bool audit);

}  // namespace vlmhost
