#include "shell/picture_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "handset/handset.h"
#include "handset/text.h"

namespace handset::shell {
namespace {

constexpr char16_t kPictureFolder[] = u"\\My Documents";

std::u16string Lower(std::u16string text) {
  for (auto& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return text;
}

// The patterns of the chosen filter pair, such as "*.jpg", lower-cased.
std::vector<std::u16string> Patterns(LPCWSTR filter, DWORD index) {
  if (!filter) return {u"*.bmp", u"*.jpg", u"*.jpeg", u"*.png", u"*.gif"};
  std::vector<std::u16string> parts;
  for (LPCWSTR p = filter; *p; p += std::char_traits<char16_t>::length(p) + 1) parts.emplace_back(p);
  std::size_t pair = index ? index - 1 : 0;
  if (2 * pair + 1 >= parts.size()) pair = 0;
  if (parts.size() < 2) return {};
  std::vector<std::u16string> patterns;
  std::u16string list = Lower(parts[2 * pair + 1]);
  std::size_t start = 0;
  while (start <= list.size()) {
    auto end = list.find(u';', start);
    if (end == std::u16string::npos) end = list.size();
    if (end > start) patterns.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return patterns;
}

// The picker's patterns are "*.*" or "*.ext".
bool Matches(const std::u16string& lowerName, const std::vector<std::u16string>& patterns) {
  for (const auto& pattern : patterns) {
    if (pattern == u"*.*" || pattern == u"*") return true;
    if (pattern.size() > 1 && pattern[0] == u'*' && lowerName.size() >= pattern.size() - 1 &&
        lowerName.compare(lowerName.size() - (pattern.size() - 1), pattern.size() - 1, pattern, 1) == 0)
      return true;
  }
  return false;
}

}  // namespace

std::vector<Picture> ListPictures(LPCWSTR filter, DWORD index) {
  auto patterns = Patterns(filter, index);
  std::vector<Picture> pictures;
  auto root = HostPath(kPictureFolder);
  std::error_code error;
  std::filesystem::recursive_directory_iterator it(root, error), end;
  for (; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    auto relative = std::filesystem::relative(it->path(), root, error);
    if (error) break;
    std::u16string name = Utf16(it->path().filename().string());
    if (!Matches(Lower(name), patterns)) continue;
    std::u16string path = kPictureFolder;
    for (const auto& part : relative) path += u"\\" + Utf16(part.string());
    pictures.push_back({std::move(path), std::move(name)});
  }
  std::sort(pictures.begin(), pictures.end(), [](const Picture& a, const Picture& b) { return Lower(a.path) < Lower(b.path); });
  return pictures;
}

}  // namespace handset::shell
