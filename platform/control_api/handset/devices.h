// Control API of the handset's devices and power: the LED driver behind "LED1:", the battery that
// GetSystemPowerStatusEx reads, and the count of SystemIdleTimerReset calls.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include <winbase.h>

namespace handset::devices {

// --- the LED driver -------------------------------------------------------------------------------

// One entry of the LED driver's log. Each CreateFileW of the device is an opening, numbered from 1
// in the order of the handset's life; its commands and its CloseHandle carry that number.
struct LedEvent {
  enum class Kind { Open, Command, Close };
  Kind kind;
  std::uint32_t opening;
  // On the steady clock as the handset clock runs it: the steady clock itself while the handset
  // clock runs; while a test holds it frozen, the stamp stands still and moves with the clock.
  std::chrono::steady_clock::time_point time;
  std::array<std::uint32_t, 5> record{};  // the command record's five words (commands only)
};

// The command record's first word: what the LED shows.
inline constexpr std::uint32_t kLedFirstPhase = 0x10000002;
inline constexpr std::uint32_t kLedSecondPhase = 0x10000004;
inline constexpr std::uint32_t kLedOff = 0x10000000;

std::vector<LedEvent> LedLog();
// Only the commands of the log, in order.
std::vector<LedEvent> LedCommands();
void ClearLedLog();

// Openings of the LED device not yet closed.
std::size_t OpenLedHandles();

// Removes the LED device from the handset (CreateFileW("LED1:") then fails with
// ERROR_FILE_NOT_FOUND) or puts it back. Handles already open keep working.
void SetLedDevicePresent(bool present);

// --- power ----------------------------------------------------------------------------------------

// What GetSystemPowerStatusEx reports. At start: on battery (AC offline), battery high at 100
// percent, life times unknown, no backup battery reading.
SYSTEM_POWER_STATUS_EX PowerStatus();
void SetPowerStatus(const SYSTEM_POWER_STATUS_EX& status);

// While set, GetSystemPowerStatusEx fails and leaves the caller's record untouched.
void SetPowerStatusFails(bool fails);

// GetSystemPowerStatusEx calls so far (with a record to fill), failed ones included.
std::uint64_t PowerStatusQueries();

// SystemIdleTimerReset calls so far.
std::uint64_t IdleTimerResets();

// --- files ----------------------------------------------------------------------------------------

// Sets the creation time the handset keeps for the file or folder at a device path, which
// GetFileAttributesExW reports from then on (the time travels with the file). False when there is
// no such file or the host file system cannot keep the time.
bool SetFileCreationTime(std::u16string_view devicePath, const FILETIME& time);

}  // namespace handset::devices
