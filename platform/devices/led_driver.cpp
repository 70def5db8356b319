#include "devices/led_driver.h"

#include <cstring>

#include "clock/handset_clock.h"

namespace handset::devices {

static_assert(LedDriver::kCommandCode == 0x80020004);
static_assert(sizeof(LedEvent::record) == LedDriver::kRecordSize);

std::uint32_t LedDriver::Open() {
  std::lock_guard lock(mutex_);
  ++open_;
  std::uint32_t opening = ++openings_;
  log_.push_back({LedEvent::Kind::Open, opening, clock::Clock().SteadyNow()});
  return opening;
}

void LedDriver::Close(std::uint32_t opening) {
  std::lock_guard lock(mutex_);
  --open_;
  log_.push_back({LedEvent::Kind::Close, opening, clock::Clock().SteadyNow()});
}

DWORD LedDriver::IoControl(std::uint32_t opening, DWORD code, const void* in, DWORD inSize, void* out,
                           DWORD outSize, DWORD& bytesReturned) {
  bytesReturned = 0;
  if (code != kCommandCode || inSize != kRecordSize || !in) return ERROR_INVALID_PARAMETER;
  std::array<std::uint32_t, 5> record;
  std::memcpy(record.data(), in, kRecordSize);
  std::lock_guard lock(mutex_);
  log_.push_back({LedEvent::Kind::Command, opening, clock::Clock().SteadyNow(), record});
  return ERROR_SUCCESS;
}

std::vector<LedEvent> LedDriver::Log() {
  std::lock_guard lock(mutex_);
  return log_;
}

void LedDriver::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

std::size_t LedDriver::OpenCount() {
  std::lock_guard lock(mutex_);
  return open_;
}

}  // namespace handset::devices
