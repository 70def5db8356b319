#include "live/live_session.h"

#include <vlmrc/vlmrc.h>

#include <cstdio>

#include "commands/commands.h"
#include "handset/devices.h"
#include "handset/modules.h"
#include "handset/user.h"
#include "live/handset_state.h"
#include "live/network_change.h"
#include "live/request_error.h"
#include "worker_window.h"

namespace vlmhost::live {
namespace {

constexpr DWORD kLargeButtonMode = 12;
constexpr UINT_PTR kIdleTimerId = 1;
// The worker window's notifications kept for the page: enough to read a flow back.
constexpr std::size_t kHeardKept = 20;

HostContext& Started(HostContext& context) {
  context.Start();
  return context;
}

// A field of a host call: `field` of the type `Check` accepts, else a 400 naming it.
template <class Value, class Check>
Value Field(const Json& request, const char* field, Check accepts, const char* what) {
  auto it = request.find(field);
  if (it == request.end() || !accepts(*it)) throw BadRequest(std::string("\"") + field + "\" must be " + what);
  return it->template get<Value>();
}

}  // namespace

LiveSession::LiveSession(HostContext& context) : context_(Started(context)) {
  handset::user::Install(handset::user::Participant::Live);
}

LiveSession::~LiveSession() {
  handset::user::EndModalLoops();
  if (idleTimer_) KillTimer(context_.WorkerWindowHandle(), kIdleTimerId);
}

void LiveSession::Run() { host_.Run(); }

void LiveSession::Close() {
  handset::user::EndModalLoops();
  host_.Stop();
}

Json LiveSession::OnHost(std::function<Json()> work) {
  auto result = host_.Call<Json>(std::move(work), kHostWait);
  if (!result)
    throw RequestError(503, Closing() ? "the live handset is shutting down"
                                      : "the handset's host thread did not answer within " +
                                            std::to_string(kHostWait.count()) + " ms");
  return *result;
}

Json LiveSession::Input(const Json& request) {
  InputAction action = ReadInputAction(request);
  return OnHost([this, action] {
    std::string line = Perform(action, drag_, recorder_);
    return Json{{"recorded", line.empty() ? Json() : Json(line)}};
  });
}

void LiveSession::CollectNotifications() {
  auto notifications = context_.TakeNotifications();
  if (notifications.empty()) return;
  for (const auto& notification : notifications) heard_.push_back(NotificationName(notification));
  while (heard_.size() > kHeardKept) heard_.erase(heard_.begin());
  VTOptSetting stored{};
  VLMRC_EXPORT(context_, GetVTOptSetting)(&stored);
  recordHeard_ = DescribeVTOptSetting(stored);
}

Json LiveSession::OpenOptions() {
  if (optionsOpen_.exchange(true)) throw RequestError(409, "the options screen is already open");
  auto createVTOpt = VLMRC_EXPORT(context_, CreateVTOpt);
  // The answer goes back at once; the screen stays up, on the host thread, until it is closed.
  bool posted = host_.Post([this, createVTOpt] {
    auto size = handset::screen::CurrentSize();
    recorder_.Restart("replay: vlmhost options --script FILE --size " + std::to_string(size.width) + "x" +
                      std::to_string(size.height) + (largeButtons_ ? " --large-buttons" : ""));
    optionsReturned_ = createVTOpt(context_.WorkerWindowHandle());
    optionsOpen_ = false;
    CollectNotifications();
  });
  if (!posted) {
    optionsOpen_ = false;
    throw RequestError(503, "the live handset is shutting down");
  }
  return {{"opened", "CreateVTOpt"}};
}

Json LiveSession::HostCall(const Json& request) {
  if (!request.is_object()) throw BadRequest("a host call is a JSON object with \"call\"");
  std::string call = Field<std::string>(request, "call", [](const Json& v) { return v.is_string(); }, "a text");
  if (call == "CreateVTOpt") return OpenOptions();
  if (call == "TurnOnLED" || call == "TurnOffLED") {
    return OnHost([this, call] {
      if (call == "TurnOnLED")
        VLMRC_EXPORT(context_, TurnOnLED)();
      else
        VLMRC_EXPORT(context_, TurnOffLED)();
      return Json{{"called", call}};
    });
  }
  if (call == "GetBattery") {
    std::optional<int> percent;
    if (request.contains("percent"))
      percent = Field<int>(
          request, "percent",
          [](const Json& v) { return v.is_number_integer() && ((v >= 0 && v <= 100) || v == 255); },
          "a battery level 0 to 100, or 255 for unknown");
    std::optional<bool> charging;
    if (request.contains("charging"))
      charging = Field<bool>(request, "charging", [](const Json& v) { return v.is_boolean(); }, "true or false");
    return OnHost([this, percent, charging] {
      SYSTEM_POWER_STATUS_EX status = handset::devices::PowerStatus();
      if (percent) status.BatteryLifePercent = static_cast<BYTE>(*percent);
      if (charging) status.ACLineStatus = *charging ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
      handset::devices::SetPowerStatus(status);
      DWORD read = 0;
      DWORD flags = 0;
      BOOL result = VLMRC_EXPORT(context_, GetBattery)(&read, &flags);
      return Json{{"result", result}, {"percent", read}, {"flags", flags}};
    });
  }
  if (call == "AvoidSystemIdle") {
    bool on = Field<bool>(request, "on", [](const Json& v) { return v.is_boolean(); }, "true or false");
    unsigned interval = request.contains("interval")
                            ? Field<unsigned>(
                                  request, "interval",
                                  [](const Json& v) { return v.is_number_integer() && v >= 10 && v <= 60000; },
                                  "a timer interval of 10 to 60000 ms")
                            : 500;
    return OnHost([this, on, interval] {
      HWND worker = context_.WorkerWindowHandle();
      // As the host installs it: the library's function as the worker window's timer procedure.
      if (on)
        SetTimer(worker, kIdleTimerId, interval, VLMRC_EXPORT(context_, AvoidSystemIdle));
      else
        KillTimer(worker, kIdleTimerId);
      idleTimer_ = on;
      return Json{{"idle timer", on}};
    });
  }
  if (call == "screen") {
    std::string text = Field<std::string>(request, "size", [](const Json& v) { return v.is_string(); },
                                          "a screen size WIDTHxHEIGHT");
    handset::screen::Size size{};
    try {
      size = ParseScreenSize(text);
    } catch (const CommandError&) {
      throw BadRequest("\"size\" must be a screen size WIDTHxHEIGHT, e.g. \"480x800\"");
    }
    return OnHost([size] {
      if (!handset::screen::SetSize(size.width, size.height))
        throw RequestError(400, "the handset's screen sizes are 240x320, 240x240, 320x240, 480x640, 640x480, 480x800, "
                                "800x480");
      return Json{{"screen", std::to_string(size.width) + "x" + std::to_string(size.height)}};
    });
  }
  if (call == "largeButtons") {
    bool on = Field<bool>(request, "on", [](const Json& v) { return v.is_boolean(); }, "true or false");
    return OnHost([this, on] {
      largeButtons_.reset();
      if (on)
        largeButtons_.emplace(u"SoftWare\\Zarvo\\Velmora\\LargeBtn", u"LargeMode", kLargeButtonMode,
                              "large-button setting");
      return Json{{"large buttons", on}};
    });
  }
  if (call == "language") {
    std::string text = Field<std::string>(
        request, "language",
        [](const Json& v) {
          return v.is_string() && v.get<std::string>().size() == 4 &&
                 v.get<std::string>().find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
        },
        "a language id of four hex digits, e.g. \"0409\"");
    auto language = static_cast<LANGID>(std::stoul(text, nullptr, 16));
    return OnHost([language, text] {
      handset::SetUILanguage(language);
      return Json{{"language", text}};
    });
  }
  throw BadRequest("unknown host call \"" + call +
                   "\" (CreateVTOpt, TurnOnLED, TurnOffLED, GetBattery, AvoidSystemIdle, screen, largeButtons, "
                   "language)");
}

Json LiveSession::Network(const Json& request) {
  NetworkChange change = ReadNetworkChange(request);
  // The network's settings are the device registry's, which any thread may change: a change
  // reaches a query already in flight when the network answers.
  try {
    ApplyNetworkChange(change);
    return DescribeNetwork();
  } catch (const CommandError& error) {
    throw RequestError(409, error.what());
  }
}

Json LiveSession::State(std::size_t debugSince) {
  return OnHost([this, debugSince] {
    CollectNotifications();
    Json state = DescribeHandset(debugSince);
    state["options"] = {{"open", optionsOpen_.load()},
                        {"returned", optionsReturned_ ? Json(*optionsReturned_) : Json()}};
    state["idle timer"] = idleTimer_;
    state["large buttons"] = largeButtons_.has_value();
    state["worker"] = {{"heard", heard_}, {"record", recordHeard_}};
    try {
      state["network"] = DescribeNetwork();
    } catch (const CommandError& error) {
      state["network"] = {{"error", error.what()}};
    }
    return state;
  });
}

}  // namespace vlmhost::live
