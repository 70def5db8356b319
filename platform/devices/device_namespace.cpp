#include "devices/device_namespace.h"

#include <algorithm>

namespace handset::devices {
namespace {

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
  return std::ranges::equal(a, b, [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

std::shared_ptr<Device> DeviceNamespace::Find(std::u16string_view name) {
  std::lock_guard lock(mutex_);
  if (ledPresent_ && EqualsIgnoringCase(name, u"LED1:")) return led_;
  return nullptr;
}

void DeviceNamespace::SetLedPresent(bool present) {
  std::lock_guard lock(mutex_);
  ledPresent_ = present;
}

bool IsDeviceName(std::u16string_view name) { return !name.empty() && name.back() == u':'; }

}  // namespace handset::devices
