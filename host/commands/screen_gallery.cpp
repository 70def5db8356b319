#include "commands/screen_gallery.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "commands/forwarding_screens.h"
#include "commands/gallery.h"
#include "commands/gallery_page.h"
#include "commands/options_run.h"
#include "handset/modules.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

// The user-interface language as it was before the gallery, back when it is done.
class LanguageForRun {
 public:
  LanguageForRun() : language_(handset::UILanguage()) {}
  ~LanguageForRun() { handset::SetUILanguage(language_); }
  LanguageForRun(const LanguageForRun&) = delete;
  LanguageForRun& operator=(const LanguageForRun&) = delete;

 private:
  LANGID language_;
};

constexpr const char* kLooks[] = {"normal", "large-buttons"};
// The states of an open page a person reaches, in the order of the rows.
enum State { kOpened, kTurned, kTurnedBack, kInputPanel };
constexpr const char* kStateNames[] = {"opened", "turned", "turned back", "input panel"};

// The pages as each opens, then each page turned to the other orientation, back, and with the input
// panel up: two runs of the sheet, so that the pages of the first are as a person first sees them.
void SavePages(HostContext& context, Gallery& gallery, int sizeIndex, int lookIndex) {
  const auto& size = kScreenSizes[sizeIndex];
  std::string lookName = kLooks[lookIndex];
  std::string base = "-" + SizeName(size) + "-" + lookName + "-" + gallery.Language();
  OptionsLook look{size, lookIndex == 1, /*forwarding=*/true};

  auto row = [&](int page, State state) -> ScreenRow& {
    HWND sheet = OptionsSheet();
    return gallery.Row({0, page, lookIndex, state}, PageTitle(sheet, page), lookName, kStateNames[state]);
  };
  auto capture = [&](int page, State state, const std::string& suffix) {
    return user::Run("capture page " + std::to_string(page + 1) + " " + kStateNames[state], [&, page, state, suffix] {
      gallery.Capture("page" + std::to_string(page + 1) + base + suffix + ".png", row(page, state));
    });
  };

  std::vector<user::Step> opened;
  for (int page = 0; page < kMaxOptionPages; ++page) {
    opened.push_back(ShowOptionsPage(page, /*ifPresent=*/false));
    opened.push_back(capture(page, kOpened, ""));
  }
  opened.push_back(user::Cancel());

  std::vector<user::Step> states;
  for (int page = 0; page < kMaxOptionPages; ++page) {
    states.push_back(ShowOptionsPage(page, /*ifPresent=*/false));
    states.push_back(user::Rotate(size.height, size.width));
    states.push_back(capture(page, kTurned, "-turned"));
    states.push_back(user::Rotate(size.width, size.height));
    states.push_back(capture(page, kTurnedBack, "-turned-back"));
    states.push_back(user::ShowInputPanel(true));
    states.push_back(capture(page, kInputPanel, "-input-panel"));
    states.push_back(user::ShowInputPanel(false));
  }
  states.push_back(user::Cancel());

  for (auto* steps : {&opened, &states}) {
    OptionsRunResult run = RunOptionsScreen(context, look, std::move(*steps));
    if (!run.failures.empty())
      throw CommandError("screens: " + SizeName(size) + " " + lookName + " " + gallery.Language() + ": " + run.failures);
  }
}

Json DescribeFindings(const std::vector<ScreenRow>& rows) {
  Json pictures = Json::array();
  for (const ScreenRow& row : rows)
    for (const auto& [sizeIndex, picture] : row.pictures) {
      Json findings = Json::array();
      for (const MarkedFinding& finding : picture.findings)
        findings.push_back({{"kind", finding.kind},
                            {"id", finding.id},
                            {"detail", finding.detail},
                            {"rect", {finding.rect.left, finding.rect.top, finding.rect.right, finding.rect.bottom}}});
      pictures.push_back({{"file", picture.file},
                          {"screen", row.title},
                          {"look", row.look},
                          {"state", row.state},
                          {"language", row.language},
                          {"size", SizeName(kScreenSizes[sizeIndex])},
                          {"findings", std::move(findings)}});
    }
  return pictures;
}

void WriteAuditFile(const std::filesystem::path& file, const Json& pictures) {
  std::ofstream out(file, std::ios::trunc);
  out << pictures.dump(2) << "\n";
  out.close();
  if (!out) throw CommandError("screens: cannot write " + file.string());
}

// The findings counted by kind, and the pictures that have any with their details.
Json Summary(const Json& pictures, std::size_t& total) {
  Json byKind = Json::object();
  Json where = Json::object();
  total = 0;
  for (const auto& picture : pictures) {
    if (picture["findings"].empty()) continue;
    Json details = Json::array();
    for (const auto& finding : picture["findings"]) {
      std::string kind = finding["kind"];
      byKind[kind] = byKind.value(kind, 0) + 1;
      details.push_back(kind + ": " + finding["detail"].get<std::string>());
      ++total;
    }
    where[picture["file"].get<std::string>()] = std::move(details);
  }
  return {{"pictures", pictures.size()}, {"findings", total}, {"by kind", byKind}, {"on", where}};
}

}  // namespace

ScreensResult SaveEveryScreen(HostContext& context, const std::filesystem::path& folder, bool audit) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw CommandError("screens: cannot make the folder " + folder.string() + ": " + error.message());

  Gallery gallery(folder, audit);
  LanguageForRun restoreLanguage;
  // Sizes outermost, the small screens first: the library's display scale, once doubled on a large
  // screen, stays so for the life of the process, as on a device, whose screen never changes.
  for (int sizeIndex = 0; sizeIndex < static_cast<int>(std::size(kScreenSizes)); ++sizeIndex) {
    for (LANGID language : kGalleryLanguages) {
      gallery.SetLanguage(language);
      for (int lookIndex = 0; lookIndex < static_cast<int>(std::size(kLooks)); ++lookIndex)
        SavePages(context, gallery, sizeIndex, lookIndex);
      SaveForwardingScreens(context, gallery, sizeIndex);
    }
  }
  std::vector<ScreenRow> rows = gallery.Rows();
  WriteGalleryPage(folder, rows, audit);

  ScreensResult result{gallery.Pictures(), 0, Json()};
  if (audit) {
    Json pictures = DescribeFindings(rows);
    WriteAuditFile(folder / "audit.json", pictures);
    result.summary = Summary(pictures, result.findings);
  }
  return result;
}

}  // namespace vlmhost
