// The page of `vlmhost screens`: index.html, a row per screen, look, state and language with a
// picture per screen size, each shown at the phone's own physical size (the 192-dpi screens at half
// scale) and a click away from its full picture, with the audit's findings marked on it, and
// filters by page, size, look, language and findings.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "handset/screen.h"

namespace vlmhost {

// The screen sizes of the handset, both orientations: the columns of the page.
inline constexpr handset::screen::Size kScreenSizes[] = {{240, 320}, {320, 240}, {240, 240}, {480, 640},
                                                         {640, 480}, {480, 800}, {800, 480}};

// How a screen size is named in file names, rows and the page: "240x320".
std::string SizeName(const handset::screen::Size& size);

// One finding of the screen audit on a picture: what it is and where on the picture.
struct MarkedFinding {
  std::string kind;
  int id = 0;
  std::string detail;
  RECT rect{};  // the window it is about, in the picture's pixels
};

struct Picture {
  std::string file;  // relative to the output folder
  int width = 0;     // in pixels
  int height = 0;
  int dpi = 96;
  std::vector<MarkedFinding> findings;
};

// One row of the grid of screens: a screen in one look, state and language, its picture per index
// of kScreenSizes.
struct ScreenRow {
  std::string title;
  std::string look;
  std::string state;     // "opened", "turned", "turned back", "input panel"
  std::string language;  // "0409", ...
  std::map<int, Picture> pictures;
};

// Writes `folder`/index.html for `rows`; a CommandError when it cannot be written. `audited`: the
// pictures were audited, so the page offers the findings filter.
void WriteGalleryPage(const std::filesystem::path& folder, const std::vector<ScreenRow>& rows, bool audited);

}  // namespace vlmhost
