// The pictures of a `vlmhost screens` run as they are taken: the rows of the gallery's page, the
// language the pictures speak, and the screen audit of each when asked.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "commands/gallery_page.h"
#include "handset/screen.h"
#include "handset/user.h"

namespace vlmhost {

// The user-interface languages the gallery shows: US English and German.
inline constexpr LANGID kGalleryLanguages[] = {0x0409, 0x0407};

// The pictures of one gallery run, as they are taken.
class Gallery {
 public:
  Gallery(std::filesystem::path folder, bool audit) : folder_(std::move(folder)), audit_(audit) {}

  // The row of a screen (made on first use): rows are listed by `order`.
  using RowOrder = std::tuple<int, int, int, int>;
  ScreenRow& Row(RowOrder order, const std::string& title, const std::string& look, const std::string& state);

  // Saves the screen now as `file` (a failure throws with the reason) in `row`, in the column of
  // the screen's size now, audited when the gallery audits.
  void Capture(const std::string& file, ScreenRow& row);
  // The same as a step of the scripted user.
  handset::user::Step CaptureStep(std::string file, ScreenRow& row);

  // The language the pictures are taken in now, as a row shows it ("0409").
  void SetLanguage(LANGID language);
  const std::string& Language() const { return language_; }

  std::vector<std::string> Pictures() const { return pictures_; }
  std::vector<ScreenRow> Rows() const;

 private:
  std::filesystem::path folder_;
  bool audit_;
  std::string language_ = "0409";
  int languageOrder_ = 0;  // the rows of each language in the order of kGalleryLanguages
  std::vector<std::string> pictures_;
  std::map<std::tuple<int, RowOrder>, ScreenRow> rows_;
};

}  // namespace vlmhost
