// vlmhost led | battery | idle: the device services, driven the way the host drives them.
#include <vlmrc/vlmrc.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "commands/commands.h"
#include "handset/devices.h"

namespace vlmhost {
namespace {

std::string LedCommandName(std::uint32_t command) {
  switch (command) {
    case handset::devices::kLedFirstPhase: return "first lit phase";
    case handset::devices::kLedSecondPhase: return "second lit phase";
    case handset::devices::kLedOff: return "off";
  }
  char hex[16];
  std::snprintf(hex, sizeof(hex), "0x%08X", command);
  return hex;
}

// Handles the host thread's messages (timers included) for a while, as the host's loop would.
void PumpMessages(std::chrono::milliseconds duration) {
  auto end = std::chrono::steady_clock::now() + duration;
  MSG msg;
  while (std::chrono::steady_clock::now() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
}

struct BatteryOptions {
  std::optional<unsigned> percent;
  std::optional<unsigned> flags;
  std::optional<bool> charging;
  bool fail = false;
};

// Sets the handset's battery from the options that were given.
void ApplyBattery(const BatteryOptions& options) {
  SYSTEM_POWER_STATUS_EX status = handset::devices::PowerStatus();
  if (options.percent) status.BatteryLifePercent = static_cast<BYTE>(*options.percent);
  if (options.flags) status.BatteryFlag = static_cast<BYTE>(*options.flags);
  if (options.charging) status.ACLineStatus = *options.charging ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
  handset::devices::SetPowerStatus(status);
  handset::devices::SetPowerStatusFails(options.fail);
}

void AddBatteryOptions(CLI::App* command, BatteryOptions& options) {
  command->add_option("--percent", options.percent, "set the handset's battery level first (0-100, 255: unknown)")
      ->check(CLI::Validator(
          [](std::string& value) -> std::string {
            int percent = -1;
            if (!CLI::detail::lexical_cast(value, percent) || !((percent >= 0 && percent <= 100) || percent == 255))
              return "'" + value + "' is not a battery level (0-100, or 255 for unknown)";
            return {};
          },
          "0-100|255"));
  command->add_option("--flags", options.flags, "set the battery flag byte first")->check(CLI::Range(0, 255));
  command->add_option("--charging", options.charging, "set whether the handset is on mains power first");
  command->add_flag("--fail", options.fail, "make the power query fail");
}

}  // namespace

void AddDeviceCommands(CLI::App& app, HostContext& context) {
  auto seconds = std::make_shared<double>(2.0);
  auto* led = app.add_subcommand("led", "Blink the LED (TurnOnLED), stop it (TurnOffLED), print the driver's commands");
  led->add_option("--seconds", *seconds, "how long to blink")->check(CLI::Range(0.0, 60.0))->capture_default_str();
  led->callback([&context, seconds] {
    auto turnOn = VLMRC_EXPORT(context, TurnOnLED);
    auto turnOff = VLMRC_EXPORT(context, TurnOffLED);
    handset::devices::ClearLedLog();
    turnOn();
    Sleep(static_cast<DWORD>(*seconds * 1000));
    turnOff();
    Json commands = Json::array();
    auto log = handset::devices::LedCommands();
    for (const auto& event : log) {
      double ms = std::chrono::duration<double, std::milli>(event.time - log.front().time).count();
      char at[32];
      std::snprintf(at, sizeof(at), "%.1f ms", ms);
      commands.push_back({{"at", at}, {"command", LedCommandName(event.record[0])}});
    }
    context.Print({{"commands", commands}, {"open LED handles", handset::devices::OpenLedHandles()}});
  });

  auto battery = std::make_shared<BatteryOptions>();
  auto* batteryCommand = app.add_subcommand("battery", "Read the battery through GetBattery");
  AddBatteryOptions(batteryCommand, *battery);
  batteryCommand->callback([&context, battery] {
    auto getBattery = VLMRC_EXPORT(context, GetBattery);
    ApplyBattery(*battery);
    DWORD percent = 0;
    DWORD flags = 0;
    BOOL read = getBattery(&percent, &flags);
    context.Print({{"result", read}, {"percent", percent}, {"flags", flags}});
  });

  auto idle = std::make_shared<BatteryOptions>();
  auto interval = std::make_shared<unsigned>(500);
  auto idleSeconds = std::make_shared<double>(2.0);
  auto* idleCommand = app.add_subcommand(
      "idle", "Install AvoidSystemIdle as the worker window's timer procedure, as the host does, and run the timer");
  AddBatteryOptions(idleCommand, *idle);
  idleCommand->add_option("--interval", *interval, "timer interval in milliseconds")
      ->check(CLI::Range(10u, 60000u))
      ->capture_default_str();
  idleCommand->add_option("--seconds", *idleSeconds, "how long to run")->check(CLI::Range(0.0, 600.0))->capture_default_str();
  idleCommand->callback([&context, idle, interval, idleSeconds] {
    auto avoidSystemIdle = VLMRC_EXPORT(context, AvoidSystemIdle);
    ApplyBattery(*idle);
    std::uint64_t resetsBefore = handset::devices::IdleTimerResets();
    HWND worker = FindWindowW(VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE);
    const UINT_PTR kTimerId = 1;
    SetTimer(worker, kTimerId, *interval, avoidSystemIdle);
    PumpMessages(std::chrono::milliseconds(static_cast<long long>(*idleSeconds * 1000)));
    KillTimer(worker, kTimerId);
    context.Print({{"idle timer resets", handset::devices::IdleTimerResets() - resetsBefore}});
  });
}

}  // namespace vlmhost
