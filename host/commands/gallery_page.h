// The page of `vlmhost screens`: index.html, a table of the pictures with a row per screen and look
// and a column per screen size.
#pragma once

#include <filesystem>
#include <vector>

#include "commands/screen_gallery.h"

namespace vlmhost {

// Writes `folder`/index.html for `rows`; a CommandError when it cannot be written.
void WriteGalleryPage(const std::filesystem::path& folder, const std::vector<ScreenRow>& rows);

}  // namespace vlmhost
