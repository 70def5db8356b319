// vlmhost options | screens: the video-telephony options screen (CreateVTOpt), owned by the host's
// worker window and driven by the handset's scripted user, as a person would use it.
#include <commctrl.h>

#include <chrono>

#include "commands/commands.h"
#include "commands/options_run.h"
#include "commands/options_script.h"
#include "commands/screen_gallery.h"
#include "commands/values_for_run.h"
#include "handset/screen.h"
#include "handset/user.h"

namespace vlmhost {
namespace {

namespace user = handset::user;

struct OptionsRequest {
  std::optional<std::filesystem::path> script;
  std::string size;
  bool largeButtons = false;
  std::filesystem::path screenshotDir = ".";
  // The whole run's time limit: long enough for any scenario a person writes by hand, short enough
  // to wait for when a step waits in vain.
  int timeoutSeconds = 120;
};

std::string ReadScript(const std::filesystem::path& file) {
  try {
    return user::ReadScenarioFile(file);
  } catch (const std::exception& error) {
    throw CommandError(std::string("cannot read the script: ") + error.what());
  }
}

// The scenario without a script: every page shown in turn, then OK.
std::vector<user::Step> ShowEveryPageThenOk() {
  std::vector<user::Step> steps;
  for (int page = 1; page < kMaxOptionPages; ++page) steps.push_back(ShowOptionsPage(page, /*ifPresent=*/true));
  steps.push_back(user::Ok());
  return steps;
}

}  // namespace

void AddOptionsCommands(CLI::App& app, HostContext& context) {
  auto request = std::make_shared<OptionsRequest>();
  auto* options = app.add_subcommand(
      "options", "Open the options screen (CreateVTOpt) and drive it with a scenario; print what it returned, the "
                 "record stored and what the worker window heard");
  options->add_option("--script", request->script,
                      "scenario file: one step per line in the scripted user's words, plus `screenshot [NAME]` "
                      "(default: show every page, then OK)")
      ->check(CLI::ExistingFile);
  options->add_option("--timeout", request->timeoutSeconds,
                      "seconds the whole run may take; a step still to be taken then fails the command, named")
      ->capture_default_str()
      ->check(CLI::Range(1, 24 * 60 * 60));
  options->add_option("--size", request->size, "screen size for the run, WIDTHxHEIGHT (e.g. 480x800)");
  options->add_flag("--large-buttons", request->largeButtons, "use the large-button look for the run");
  options->add_option("--screenshot-dir", request->screenshotDir, "where `screenshot` steps write their PNG files")
      ->capture_default_str();
  options->callback([&context, request] {
    std::vector<user::Step> steps;
    std::vector<std::filesystem::path> screenshots;
    if (request->script)
      steps = ReadOptionsScript(ReadScript(*request->script), request->script->string(), request->screenshotDir,
                                screenshots);
    else
      steps = ShowEveryPageThenOk();

    OptionsLook look{request->size.empty() ? std::nullopt : std::optional(ParseScreenSize(request->size)),
                     request->largeButtons};
    OptionsRunResult run =
        RunOptionsScreen(context, look, std::move(steps), std::chrono::seconds(request->timeoutSeconds));

    VTOptSetting stored{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&stored);
    Json result = Json::object();
    result["returned"] = run.returned;
    result["record"] = DescribeVTOptSetting(stored);
    Json files = Json::array();
    for (const auto& file : screenshots) files.push_back(file.string());
    result["screenshots"] = files;
    context.Print(std::move(result));
    if (!run.failures.empty()) throw CommandError("options: " + run.failures);
  });

  struct ScreensRequest {
    std::filesystem::path out;
    bool audit = false;
  };
  auto screensRequest = std::make_shared<ScreensRequest>();
  auto* screens = app.add_subcommand(
      "screens", "Save every page of the options screen in every screen size, both orientations, both looks and "
                 "both languages, as opened, turned and back and with the input panel up, and the forwarding "
                 "screens, as PNG files with an index.html that shows them side by side");
  screens->add_option("--out", screensRequest->out, "folder for the pictures and index.html")->required();
  screens->add_flag("--audit", screensRequest->audit,
                    "check every picture for what a person would see wrong (controls off the screen or cut off, "
                    "text that does not fit, overlaps, input under another window): audit.json, the findings "
                    "marked in index.html, a summary, and a failed command while any finding remains");
  screens->callback([&context, screensRequest] {
    ScreensResult saved = SaveEveryScreen(context, screensRequest->out, screensRequest->audit);
    Json result = Json::object();
    result["index"] = (screensRequest->out / "index.html").string();
    result["pictures"] = saved.pictures;
    if (screensRequest->audit) result["audit"] = saved.summary;
    context.Print(std::move(result));
    if (saved.findings > 0)
      throw CommandError("screens: the audit found " + std::to_string(saved.findings) + " thing(s) wrong; see " +
                         (screensRequest->out / "audit.json").string());
  });
}

}  // namespace vlmhost
