#include "commands/gallery.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "commands/commands.h"
#include "handset/audit.h"
#include "handset/modules.h"

namespace vlmhost {

namespace user = handset::user;

namespace {

int SizeIndexOf(const handset::screen::Size& size) {
  for (int i = 0; i < static_cast<int>(std::size(kScreenSizes)); ++i)
    if (kScreenSizes[i].width == size.width && kScreenSizes[i].height == size.height) return i;
  throw CommandError("screens: the screen is " + SizeName(size) + ", which the gallery has no column for");
}

std::string HexLanguage(LANGID language) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(language));
  return text;
}

}  // namespace

ScreenRow& Gallery::Row(RowOrder order, const std::string& title, const std::string& look, const std::string& state) {
  auto [found, made] = rows_.try_emplace({languageOrder_, order});
  if (made) found->second = ScreenRow{title, look, state, language_, {}};
  return found->second;
}

void Gallery::Capture(const std::string& file, ScreenRow& row) {
  handset::screen::WritePng(folder_ / file);
  auto size = handset::screen::CurrentSize();
  Picture picture{file, size.width, size.height, handset::screen::Dpi(), {}};
  if (audit_)
    for (const auto& finding : handset::audit::CheckScreen()) {
      RECT rect{};
      GetWindowRect(finding.window, &rect);
      picture.findings.push_back({finding.kind, finding.id, finding.detail, rect});
    }
  row.pictures[SizeIndexOf(size)] = std::move(picture);
  pictures_.push_back(file);
}

user::Step Gallery::CaptureStep(std::string file, ScreenRow& row) {
  return user::Run("capture " + file, [this, file, &row] { Capture(file, row); });
}

void Gallery::SetLanguage(LANGID language) {
  handset::SetUILanguage(language);
  language_ = HexLanguage(language);
  auto listed = std::find(std::begin(kGalleryLanguages), std::end(kGalleryLanguages), language);
  languageOrder_ = static_cast<int>(listed - std::begin(kGalleryLanguages));
}

std::vector<ScreenRow> Gallery::Rows() const {
  std::vector<ScreenRow> rows;
  for (const auto& [order, row] : rows_) rows.push_back(row);
  return rows;
}

}  // namespace vlmhost
