#include "core/handset.h"
#include "devices/device_files.h"
#include "devices/device_namespace.h"
#include "devices/power_state.h"
#include "handset/devices.h"

namespace handset::devices {
namespace {

LedDriver& Led() { return core::State<DeviceNamespace>().Led(); }
PowerState& Power() { return core::State<PowerState>(); }

}  // namespace

std::vector<LedEvent> LedLog() { return Led().Log(); }

std::vector<LedEvent> LedCommands() {
  std::vector<LedEvent> commands;
  for (auto& event : LedLog())
    if (event.kind == LedEvent::Kind::Command) commands.push_back(event);
  return commands;
}

void ClearLedLog() { Led().ClearLog(); }
std::size_t OpenLedHandles() { return Led().OpenCount(); }
void SetLedDevicePresent(bool present) { core::State<DeviceNamespace>().SetLedPresent(present); }

SYSTEM_POWER_STATUS_EX PowerStatus() { return Power().Status(); }
void SetPowerStatus(const SYSTEM_POWER_STATUS_EX& status) { Power().SetStatus(status); }
void SetPowerStatusFails(bool fails) { Power().SetFails(fails); }
std::uint64_t PowerStatusQueries() { return Power().Queries(); }
std::uint64_t IdleTimerResets() { return Power().IdleResets(); }

bool SetFileCreationTime(std::u16string_view devicePath, const FILETIME& time) {
  auto file = ResolveDevicePath(devicePath);
  return file.error == ERROR_SUCCESS && SetCreationTime(file.path, time);
}

}  // namespace handset::devices
