#include "commands/options_screen.h"

#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "commands/text_fields.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

constexpr DWORD kLargeButtonMode = 12;

HWND OptionsSheet() { return GetActiveWindow(); }

int PageCount(HWND sheet) {
  HWND tabs = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)) : nullptr;
  return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string PageTitle(HWND sheet, int page) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  WCHAR text[MAX_PATH] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!tabs || !SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item)))
    return "page " + std::to_string(page + 1);
  return FieldText(text, MAX_PATH);
}

// A DWORD value of the device's registry, set for a run and put back as it was afterwards; nothing
// is touched without a value to set.
class DwordValueForRun {
 public:
  DwordValueForRun(LPCWSTR keyPath, LPCWSTR valueName, std::optional<DWORD> value, const char* what)
      : valueName_(valueName) {
    if (!value) return;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, 0, nullptr, &key_, nullptr) != ERROR_SUCCESS)
      throw CommandError(std::string("the ") + what + " cannot be changed");
    DWORD size = sizeof(previous_);
    hadValue_ = RegQueryValueExW(key_, valueName_, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
                ERROR_SUCCESS;
    Write(*value);
  }
  ~DwordValueForRun() {
    if (!key_) return;
    if (hadValue_)
      Write(previous_);
    else
      RegDeleteValueW(key_, valueName_);
    RegCloseKey(key_);
  }
  DwordValueForRun(const DwordValueForRun&) = delete;
  DwordValueForRun& operator=(const DwordValueForRun&) = delete;

 private:
  void Write(DWORD value) {
    RegSetValueExW(key_, valueName_, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  }
  LPCWSTR valueName_;
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  DWORD previous_ = 0;
};

// The screen size for a run, put back afterwards.
class ScreenSizeForRun {
 public:
  explicit ScreenSizeForRun(const std::optional<handset::screen::Size>& size)
      : previous_(handset::screen::CurrentSize()) {
    if (size && !handset::screen::SetSize(size->width, size->height))
      throw CommandError("--size " + std::to_string(size->width) + "x" + std::to_string(size->height) +
                         ": the handset's screen sizes are 240x320, 240x240, 320x240, 480x640, 640x480, 480x800, "
                         "800x480");
  }
  ~ScreenSizeForRun() { handset::screen::SetSize(previous_.width, previous_.height); }
  ScreenSizeForRun(const ScreenSizeForRun&) = delete;
  ScreenSizeForRun& operator=(const ScreenSizeForRun&) = delete;

 private:
  handset::screen::Size previous_;
};

std::string Trim(std::string_view text) {
  auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  auto end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(begin, end - begin + 1));
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// A picture that cannot be written fails its step, and so the run, with the reason.
void Capture(const std::filesystem::path& folder, const std::string& file, ScreenRow& row, int sizeIndex,
             ScreensIndex& index) {
  handset::screen::WritePng(folder / file);
  row.files[sizeIndex] = file;
  index.pictures.push_back(file);
}

}  // namespace

handset::screen::Size ParseScreenSize(const std::string& text) {
  int width = 0;
  int height = 0;
  char separator = 0;
  std::istringstream in(text);
  if (!(in >> width >> separator >> height) || (separator != 'x' && separator != 'X') || !in.eof() ||
      text.find_first_of(" \t+-") != std::string::npos)
    throw CommandError("--size " + text + ": expected WIDTHxHEIGHT, e.g. 480x800");
  return {width, height};
}

user::Step ShowOptionsPage(int page, bool ifPresent) {
  return user::Run("show page " + std::to_string(page + 1), [page, ifPresent] {
    HWND sheet = OptionsSheet();
    int count = PageCount(sheet);
    if (page < count)
      SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    else if (!ifPresent)
      throw CommandError("page " + std::to_string(page + 1) + " is not there: the sheet has " + std::to_string(count) +
                         " page(s)");
  });
}

user::Step SaveScreenshot(std::filesystem::path file) {
  // A screenshot that cannot be written fails the run before the sheet is closed with OK, so that
  // nothing of a run with a missing picture is stored.
  return user::Run("screenshot " + file.string(), [file] {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path().empty() ? "." : file.parent_path(), error);
    handset::screen::WritePng(file);
  });
}

std::vector<user::Step> ReadOptionsScript(const std::string& text, const std::string& fileName,
                                          const std::filesystem::path& screenshotDir,
                                          std::vector<std::filesystem::path>& screenshots) {
  // The screenshot lines are taken out (blank lines keep the numbering) and put back among the
  // scripted user's steps by their line numbers.
  std::map<int, user::Step> shots;
  std::string scenario;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string trimmed = Trim(line);
    if (trimmed == "screenshot" || trimmed.rfind("screenshot ", 0) == 0) {
      std::string name = Trim(std::string_view(trimmed).substr(std::string("screenshot").size()));
      if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
      if (name.empty()) name = "screen-" + std::to_string(shots.size() + 1);
      if (name.find('/') != std::string::npos || name == "." || name == "..")
        throw CommandError(fileName + ": line " + std::to_string(number) + ": a screenshot name is a file name, not a path");
      std::filesystem::path file = screenshotDir / (name + (std::filesystem::path(name).has_extension() ? "" : ".png"));
      screenshots.push_back(file);
      user::Step step = SaveScreenshot(file);
      step.line = number;
      shots.emplace(number, std::move(step));
      scenario += "\n";
    } else {
      scenario += line + "\n";
    }
  }
  std::vector<user::Step> parsed;
  try {
    parsed = user::ParseScenario(scenario);
  } catch (const user::ScenarioError& error) {
    throw CommandError(fileName + ": " + error.what());
  }
  std::vector<user::Step> steps;
  auto shot = shots.begin();
  for (auto& step : parsed) {
    for (; shot != shots.end() && shot->first < step.line; ++shot) steps.push_back(std::move(shot->second));
    steps.push_back(std::move(step));
  }
  for (; shot != shots.end(); ++shot) steps.push_back(std::move(shot->second));
  return steps;
}

OptionsRunResult RunOptionsScreen(HostContext& context, const OptionsLook& look, std::vector<user::Step> steps,
                                  std::optional<std::chrono::milliseconds> timeLimit) {
  auto createVTOpt = VLMRC_EXPORT(context, CreateVTOpt);
  HWND owner = context.WorkerWindowHandle();
  ScreenSizeForRun size(look.size);
  DwordValueForRun largeButtons(u"SoftWare\\Zarvo\\Velmora\\LargeBtn", u"LargeMode",
                                look.largeButtons ? std::optional(kLargeButtonMode) : std::nullopt,
                                "large-button setting");
  DwordValueForRun forwarding(u"Software\\Zarvo\\Phone", u"SupportCF",
                              look.forwarding ? std::optional<DWORD>(1) : std::nullopt, "forwarding support setting");

  if (timeLimit)
    user::SetScript(std::move(steps), *timeLimit);
  else
    user::SetScript(std::move(steps));
  OptionsRunResult result;
  result.returned = createVTOpt(owner);

  std::string failures;
  for (const auto& failure : user::Failures()) failures += failure.message + "\n";
  if (std::size_t left = user::StepsLeft(); left > 0 && user::Failures().empty())
    failures += std::to_string(left) + " step(s) of the script were not taken: the options screen closed first\n";
  if (!failures.empty()) failures.pop_back();
  result.failures = failures;
  user::SetScript({});
  return result;
}

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

  std::ofstream html(folder / "index.html", std::ios::trunc);
  html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Options screen</title>\n"
          "<style>body{font-family:sans-serif}table{border-collapse:collapse}td,th{border:1px solid #ccc;"
          "padding:6px;vertical-align:top;text-align:center}img{display:block;margin:auto}</style></head><body>\n"
          "<h1>Options screen: every page, size and look, and the forwarding screens</h1>\n<table>\n"
          "<tr><th>screen</th><th>look</th>";
  for (const auto& size : kScreenSizes) html << "<th>" << size.width << " x " << size.height << "</th>";
  html << "</tr>\n";
  for (const ScreenRow& row : rows) {
    html << "<tr><th>" << HtmlEscape(row.title) << "</th><th>" << HtmlEscape(row.look) << "</th>";
    for (int sizeIndex = 0; sizeIndex < static_cast<int>(std::size(kScreenSizes)); ++sizeIndex) {
      auto found = row.files.find(sizeIndex);
      if (found == row.files.end()) {
        html << "<td>-</td>";
        continue;
      }
      html << "<td><img src=\"" << HtmlEscape(found->second) << "\" alt=\"" << HtmlEscape(found->second) << "\"><br>"
           << HtmlEscape(found->second) << "</td>";
    }
    html << "</tr>\n";
  }
  html << "</table>\n</body></html>\n";
  html.close();  // what is still buffered can fail too
  if (!html) throw CommandError("screens: cannot write " + (folder / "index.html").string());
  return index;
}

}  // namespace vlmhost
