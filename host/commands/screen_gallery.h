// `vlmhost screens`: every page of the options screen in every screen size and look, and the
// forwarding screens behind it, saved as pictures for review.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "commands/gallery_page.h"
#include "handset/user.h"
#include "host_context.h"

namespace vlmhost {

struct ScreensIndex {
  std::vector<std::string> pictures;  // file names, relative to the output folder
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
