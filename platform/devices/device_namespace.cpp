#include "devices/device_namespace.h"

#include "core/names.h"

namespace handset::devices {

std::shared_ptr<Device> DeviceNamespace::Find(std::u16string_view name) {
  std::lock_guard lock(mutex_);
  if (ledPresent_ && core::SameName(name, u"LED1:")) return led_;
  return nullptr;
}

void DeviceNamespace::SetLedPresent(bool present) {
  std::lock_guard lock(mutex_);
  ledPresent_ = present;
}

bool IsDeviceName(std::u16string_view name) { return !name.empty() && name.back() == u':'; }

}  // namespace handset::devices
