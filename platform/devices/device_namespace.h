// The handset's named devices: what CreateFileW opens for a name that ends with ':'.
#pragma once

#include <memory>
#include <mutex>
#include <string_view>

#include "devices/led_driver.h"

namespace handset::devices {

class DeviceNamespace {
 public:
  // The device registered under the name (letter case ignored), or null.
  std::shared_ptr<Device> Find(std::u16string_view name);

  // The LED driver, also while it is removed from the namespace.
  LedDriver& Led() { return *led_; }
  void SetLedPresent(bool present);

 private:
  std::mutex mutex_;
  const std::shared_ptr<LedDriver> led_ = std::make_shared<LedDriver>();
  bool ledPresent_ = true;
};

// Device names end with ':' ("LED1:", "COM1:"); every other name is a path of the file system.
bool IsDeviceName(std::u16string_view name);

}  // namespace handset::devices
