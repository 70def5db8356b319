#include "commands/options_run.h"

#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include "commands/values_for_run.h"
#include "handset/text.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

constexpr DWORD kLargeButtonMode = 12;

}  // namespace

HWND OptionsSheet() { return GetActiveWindow(); }

int PageCount(HWND sheet) {
  HWND tabs = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)) : nullptr;
  return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string PageTitle(HWND sheet, int page) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  std::u16string title = tabs ? user::TabTitle(tabs, page) : std::u16string();
  return title.empty() ? "page " + std::to_string(page + 1) : handset::Utf8(title);
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

}  // namespace vlmhost
