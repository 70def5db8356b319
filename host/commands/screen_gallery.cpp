#include "commands/screen_gallery.h"

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "commands/gallery_page.h"
#include "commands/options_run.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

// A picture that cannot be written fails its step, and so the run, with the reason.
void Capture(const std::filesystem::path& folder, const std::string& file, ScreenRow& row, int sizeIndex,
             ScreensIndex& index) {
  handset::screen::WritePng(folder / file);
  row.files[sizeIndex] = file;
  index.pictures.push_back(file);
}

}  // namespace

user::Step CaptureScreen(const std::filesystem::path& folder, std::string file, ScreenRow& row, int sizeIndex,
                         ScreensIndex& index) {
  return user::Run("capture " + file,
                   [&folder, file, &row, sizeIndex, &index] { Capture(folder, file, row, sizeIndex, index); });
}

ScreensIndex SaveEveryScreen(HostContext& context, const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw CommandError("screens: cannot make the folder " + folder.string() + ": " + error.message());

  ScreensIndex index;
  const char* looks[] = {"normal", "large-buttons"};
  // rows[page][look]; a page shows in the grid once a run has captured it.
  std::map<int, std::map<std::string, ScreenRow>> pages;
  std::vector<ScreenRow> forwarding;
  // Sizes outermost, the small screens first: the library's display scale, once doubled on a large
  // screen, stays so for the life of the process, as on a device, whose screen never changes.
  for (int sizeIndex = 0; sizeIndex < static_cast<int>(std::size(kScreenSizes)); ++sizeIndex) {
    const auto& size = kScreenSizes[sizeIndex];
    std::string sizeName = std::to_string(size.width) + "x" + std::to_string(size.height);
    for (const char* lookName : looks) {
      bool large = std::string(lookName) == "large-buttons";
      std::vector<user::Step> steps;
      for (int page = 0; page < kMaxOptionPages; ++page) {
        steps.push_back(ShowOptionsPage(page, /*ifPresent=*/true));
        steps.push_back(user::Run("capture page " + std::to_string(page + 1), [&, page, sizeIndex, sizeName, lookName] {
          HWND sheet = OptionsSheet();
          if (page >= PageCount(sheet)) return;
          ScreenRow& row = pages[page][lookName];
          row.title = PageTitle(sheet, page);
          row.look = lookName;
          Capture(folder, "page" + std::to_string(page + 1) + "-" + sizeName + "-" + lookName + ".png", row, sizeIndex,
                  index);
        }));
      }
      steps.push_back(user::Cancel());
      OptionsRunResult run =
          RunOptionsScreen(context, OptionsLook{size, large, /*forwarding=*/true}, std::move(steps));
      if (!run.failures.empty())
        throw CommandError("screens: " + sizeName + " " + lookName + ": " + run.failures);
    }
    SaveForwardingScreens(context, folder, sizeIndex, forwarding, index);
  }
  std::vector<ScreenRow> rows;
  for (auto& [page, byLook] : pages)
    for (const char* lookName : looks)
      if (auto found = byLook.find(lookName); found != byLook.end()) rows.push_back(std::move(found->second));
  for (auto& row : forwarding) rows.push_back(std::move(row));

  WriteGalleryPage(folder, rows);
  return index;
}

}  // namespace vlmhost
