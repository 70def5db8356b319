// The handset's LED driver, the device "LED1:". It takes one control code, 0x80020004 (device type
// 0x8002, function 1, buffered, any access), whose input is a 20-byte record of five 32-bit words:
// the command first (which lit phase, or off). The driver keeps a log of every opening, command and
// closing with its time on the steady clock as the handset clock runs it (virtual time while a test
// holds the clock), which the control API reads.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "devices/device.h"
#include "handset/devices.h"

#include <winioctl.h>

namespace handset::devices {

class LedDriver final : public Device {
 public:
  static constexpr DWORD kCommandCode = CTL_CODE(0x8002, 1, METHOD_BUFFERED, FILE_ANY_ACCESS);
  static constexpr DWORD kRecordSize = 20;

  std::uint32_t Open() override;
  void Close(std::uint32_t opening) override;
  DWORD IoControl(std::uint32_t opening, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                  DWORD& bytesReturned) override;

  std::vector<LedEvent> Log();
  void ClearLog();
  std::size_t OpenCount();

 private:
  std::mutex mutex_;
  std::vector<LedEvent> log_;
  std::uint32_t openings_ = 0;
  std::size_t open_ = 0;
};

}  // namespace handset::devices
