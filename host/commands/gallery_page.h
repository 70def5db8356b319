// The page of `vlmhost screens`: index.html, a table of the pictures with a row per screen and look
// and a column per screen size.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "handset/screen.h"

namespace vlmhost {

// The screen sizes of the handset, both orientations: the columns of the page.
inline constexpr handset::screen::Size kScreenSizes[] = {{240, 320}, {320, 240}, {240, 240}, {480, 640},
                                                         {640, 480}, {480, 800}, {800, 480}};

// One row of the grid of screens: a screen in one look, its picture file per index of kScreenSizes.
struct ScreenRow {
  std::string title;
  std::string look;
  std::map<int, std::string> files;
};

// Writes `folder`/index.html for `rows`; a CommandError when it cannot be written.
void WriteGalleryPage(const std::filesystem::path& folder, const std::vector<ScreenRow>& rows);

}  // namespace vlmhost
