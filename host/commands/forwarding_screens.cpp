// The forwarding screens for the grid of `vlmhost screens`: each one reached from the options
// sheet's forwarding page, as a person reaches it, against the simulated network set up so that the
// screen stays up (a network that does not answer keeps a progress dialog open) or comes up (a
// failing network brings its box).
#include <windows.h>

#include <chrono>

#include "commands/commands.h"
#include "commands/options_run.h"
#include "commands/forwarding_screens.h"
#include "handset/registry.h"
#include "zarvo3gvt/network.h"

namespace vlmhost {
namespace {

namespace user = handset::user;
namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

constexpr int kForwardingPage = 1;
constexpr int kForwardingPageTemplate = 7302;
constexpr int kForwardingCommand = 7205;
constexpr int kQueryDialog = 7310;
constexpr int kSetDialog = 7311;
constexpr int kSettingsPage = 7306;
constexpr int kAllCallsBox = 1020;
constexpr int kAllCallsNumber = 1050;
constexpr int kBusyBox = 1023;
constexpr int kBusyNumber = 1053;

// What the forwarding screens change on the device, put back as it was when they are done: the
// network's state and behaviour, and what the library stores (the numbers last entered, which the set
// dialog stores before it sends, and the all-calls status).
class DeviceForRun {
 public:
  DeviceForRun() : state_(network::ReadState()), behaviour_(network::ReadBehaviour()) {
    for (const auto& [key, name] : kLibraryValues) values_.push_back(handset::registry::Read(key, name));
  }
  ~DeviceForRun() {
    for (network::Reason reason : network::kReasons) network::WriteReason(reason, state_[reason]);
    network::WriteNoReplySeconds(state_.noReplySeconds);
    network::WriteBehaviour(behaviour_);
    for (std::size_t i = 0; i < std::size(kLibraryValues); ++i) {
      const auto& [key, name] = kLibraryValues[i];
      if (values_[i])
        handset::registry::Write(key, name, values_[i]->type, values_[i]->data);
      else
        handset::registry::DeleteValue(key, name);
    }
  }
  DeviceForRun(const DeviceForRun&) = delete;
  DeviceForRun& operator=(const DeviceForRun&) = delete;

 private:
  static constexpr std::pair<const char*, const char*> kLibraryValues[] = {
      {"HKLM\\Software\\Zarvo\\VideoService", "stAllCall"},
      {"HKLM\\Software\\Zarvo\\VideoService", "stNoAns"},
      {"HKLM\\Software\\Zarvo\\VideoService", "stUnavailiable"},
      {"HKLM\\Software\\Zarvo\\VideoService", "stbusy"},
      {"HKLM\\Software\\Zarvo\\Phone", "callforwarding"}};
  network::State state_;
  network::Behaviour behaviour_;
  std::vector<std::optional<handset::registry::Value>> values_;
};

void Answer(network::Failure failure) { network::WriteBehaviour({.failure = failure, .error = 30, .latencyMs = 0}); }

user::Step AnswerFromNowOn(network::Failure failure) {
  return user::Run("the network answers " + std::string(network::FailureName(failure)), [failure] { Answer(failure); });
}

// The steps in the forwarding settings that make the set dialog send a change: the busy reason on.
std::vector<user::Step> ChangeBusy() {
  return {user::Expect(user::Dialog(kSettingsPage, 5s)), user::Check(kBusyBox), user::Type(kBusyNumber, u"5550100")};
}

struct ForwardingScreen {
  const char* title;
  const char* file;
  network::Failure query;  // how the network answers the query
  bool allCalls;           // the network forwards all calls
  // From the page's command on: the steps up to the screen, and those that close everything after.
  std::vector<user::Step> (*before)();
  std::vector<user::Step> (*after)();
};

std::vector<user::Step> Join(std::vector<user::Step> a, std::vector<user::Step> b) {
  for (auto& step : b) a.push_back(std::move(step));
  return a;
}

const ForwardingScreen kScreens[] = {
    {"Forwarding: query dialog", "cf-query", network::Failure::Silent, false,
     [] { return std::vector<user::Step>{user::Expect(user::Dialog(kQueryDialog, 5s))}; },
     [] { return std::vector<user::Step>{user::Cancel()}; }},
    {"Forwarding settings", "cf-settings", network::Failure::None, false,
     [] { return std::vector<user::Step>{user::Expect(user::Dialog(kSettingsPage, 5s))}; },
     [] { return std::vector<user::Step>{user::Cancel()}; }},
    {"Forwarding settings, all calls", "cf-settings-allcalls", network::Failure::None, true,
     [] { return std::vector<user::Step>{user::Expect(user::Dialog(kSettingsPage, 5s))}; },
     [] { return std::vector<user::Step>{user::Cancel()}; }},
    {"Forwarding: set dialog", "cf-set", network::Failure::None, false,
     [] {
       return Join(ChangeBusy(), {AnswerFromNowOn(network::Failure::Silent), user::Ok(),
                                  user::Expect(user::Dialog(kSetDialog, 5s))});
     },
     [] { return std::vector<user::Step>{user::Cancel(), user::Expect(user::Dialog(kSettingsPage, 5s)), user::Cancel()}; }},
    {"Forwarding: query failed", "cf-query-failed", network::Failure::QueryFails, false,
     [] { return std::vector<user::Step>{user::Expect(user::MessageBox({}, 5s))}; },
     [] { return std::vector<user::Step>{user::Answer(IDCANCEL)}; }},
    {"Forwarding: change failed", "cf-set-failed", network::Failure::None, false,
     [] {
       return Join(ChangeBusy(), {AnswerFromNowOn(network::Failure::SetFails), user::Ok(),
                                  user::Expect(user::MessageBox({}, 5s))});
     },
     [] { return std::vector<user::Step>{user::Answer(IDCANCEL)}; }},
    {"Forwarding: number missing", "cf-number-missing", network::Failure::None, false,
     [] {
       return std::vector<user::Step>{user::Expect(user::Dialog(kSettingsPage, 5s)), user::Type(kAllCallsNumber, u""),
                                      user::Check(kAllCallsBox), user::Ok(), user::Expect(user::MessageBox({}, 5s))};
     },
     [] { return std::vector<user::Step>{user::Answer(IDCANCEL), user::Expect(user::Dialog(kSettingsPage, 5s)),
                                         user::Cancel()}; }},
};

}  // namespace

void SaveForwardingScreens(HostContext& context, Gallery& gallery, int sizeIndex) {
  DeviceForRun restore;
  const auto& size = kScreenSizes[sizeIndex];
  std::string sizeName = SizeName(size);
  for (std::size_t i = 0; i < std::size(kScreens); ++i) {
    const ForwardingScreen& screen = kScreens[i];
    ScreenRow& row = gallery.Row({1, static_cast<int>(i), 0, 0}, screen.title, "normal", "opened");
    for (network::Reason reason : network::kReasons)
      network::WriteReason(reason, {screen.allCalls && reason == network::Reason::AllCalls,
                                    reason == network::Reason::AllCalls ? u"5550122" : u""});
    Answer(screen.query);
    std::vector<user::Step> steps{ShowOptionsPage(kForwardingPage, /*ifPresent=*/false),
                                  user::Expect(user::Dialog(kForwardingPageTemplate)), user::Tap(kForwardingCommand)};
    steps = Join(std::move(steps), screen.before());
    steps.push_back(gallery.CaptureStep(std::string(screen.file) + "-" + sizeName + "-" + gallery.Language() + ".png", row));
    steps = Join(std::move(steps), screen.after());
    steps.push_back(user::Expect(user::Dialog(kForwardingPageTemplate, 5s)));
    steps.push_back(user::Cancel());
    OptionsRunResult run = RunOptionsScreen(context, OptionsLook{size, false, /*forwarding=*/true}, std::move(steps));
    if (!run.failures.empty())
      throw CommandError("screens: " + std::string(screen.file) + " " + sizeName + " " + gallery.Language() + ": " +
                         run.failures);
  }
}

}  // namespace vlmhost
