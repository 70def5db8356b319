// A device driver reached by its name ("LED1:") through CreateFileW and driven with DeviceIoControl.
#pragma once

#include <cstdint>
#include <memory>

#include <windows.h>

namespace handset::devices {

class Device {
 public:
  virtual ~Device() = default;

  // Each CreateFileW of the device is one opening, numbered from 1; CloseHandle ends it.
  virtual std::uint32_t Open() = 0;
  virtual void Close(std::uint32_t opening) = 0;

  // One DeviceIoControl request on an opening: ERROR_SUCCESS or the error the call reports.
  virtual DWORD IoControl(std::uint32_t opening, DWORD code, const void* in, DWORD inSize, void* out,
                          DWORD outSize, DWORD& bytesReturned) = 0;
};

// What a device handle of the handle table holds: one opening, ended when the last holder lets go
// (CloseHandle, or a DeviceIoControl still running on the handle when it is closed).
class DeviceHandle {
 public:
  explicit DeviceHandle(std::shared_ptr<Device> device) : device_(std::move(device)), opening_(device_->Open()) {}
  ~DeviceHandle() { device_->Close(opening_); }
  DeviceHandle(const DeviceHandle&) = delete;
  DeviceHandle& operator=(const DeviceHandle&) = delete;

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& bytesReturned) {
    return device_->IoControl(opening_, code, in, inSize, out, outSize, bytesReturned);
  }

 private:
  std::shared_ptr<Device> device_;
  std::uint32_t opening_;
};

}  // namespace handset::devices
