// `vlmhost screens`: every page of the options screen in every screen size and look, as opened, after
// the open sheet is turned to the other orientation and back and with the input panel up, and the
// forwarding screens behind it, in each language, saved as pictures for review; with the screen
// audit run on every picture when asked.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "commands/gallery_page.h"
#include "handset/user.h"
#include "host_context.h"

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

// The screens behind the forwarding page in the screen size at `sizeIndex`, each reached against
// the simulated network set up for it; the network's state and behaviour are as before afterwards.
void SaveForwardingScreens(HostContext& context, Gallery& gallery, int sizeIndex);

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
