#include "host_context.h"

#include <cstdlib>

#include "handset/handset.h"
#include "handset/modules.h"
#include "handset/registry.h"
#include "handset/text.h"
#include "worker_window.h"

namespace vlmhost {
namespace {

void PrintReadable(std::ostream& out, const Json& value, const std::string& indent) {
  for (const auto& [name, item] : value.items()) {
    if (item.is_object()) {
      out << indent << name << ":\n";
      PrintReadable(out, item, indent + "  ");
    } else if (item.is_array() && !item.empty() && item.front().is_object()) {
      out << indent << name << ":\n";
      for (const auto& element : item) {
        out << indent << "  -\n";
        PrintReadable(out, element, indent + "    ");
      }
    } else if (item.is_array()) {
      out << indent << name << ":";
      for (const auto& element : item) out << " " << (element.is_string() ? element.get<std::string>() : element.dump());
      out << "\n";
    } else {
      out << indent << name << ": " << (item.is_string() ? item.get<std::string>() : item.dump()) << "\n";
    }
  }
}

}  // namespace

std::filesystem::path DefaultDeviceFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "vlmhost" / "device";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".local" / "share" / "vlmhost" / "device";
  return std::filesystem::current_path() / "vlmhost-device";
}

HostContext::HostContext(std::ostream& out, std::ostream& err) : out(out), err(err) {}

HostContext::~HostContext() {
  if (!started_) return;
  worker_.reset();
  if (library_ != nullptr) FreeLibrary(library_);
  handset::Shutdown();  // writes the device's registry back
}

void HostContext::Start() {
  if (started_) return;
  handset::Reset(deviceFolder);
  started_ = true;
  for (const auto& name : withoutModules) handset::RemoveModule(handset::Utf16(name));
  // Before the library loads, as on a phone started in that language.
  if (language) handset::SetUILanguage(*language);
  if (auto error = handset::registry::LoadError())
    throw CommandError("the device registry cannot be used: " + *error);
  worker_ = std::make_unique<WorkerWindow>();
  library_ = LoadLibraryW(u"vlmrc.dll");
  if (library_ == nullptr)
    throw CommandError("vlmrc.dll cannot be loaded (error " + std::to_string(GetLastError()) +
                       "): " + handset::LastLoadFailure());
}

void HostContext::Finish() {
  if (!started_) return;
  try {
    handset::registry::Flush();
  } catch (const std::exception& error) {
    throw CommandError(std::string("the change was not saved on the device: ") + error.what());
  }
}

FARPROC HostContext::ExportAddress(const char* name) {
  Start();
  std::u16string wide(name, name + std::char_traits<char>::length(name));
  FARPROC address = GetProcAddressW(library_, wide.c_str());
  if (address == nullptr) throw CommandError(std::string("vlmrc.dll has no export named ") + name);
  return address;
}

HWND HostContext::WorkerWindowHandle() {
  Start();
  return worker_->Handle();
}

std::vector<Notification> HostContext::TakeNotifications() {
  return worker_ ? worker_->TakeNotifications() : std::vector<Notification>();
}

void HostContext::Print(Json result) {
  Finish();  // a result is only shown once it is saved
  for (const auto& notification : TakeNotifications())
    result["notifications"].push_back(NotificationName(notification));
  if (json)
    out << result.dump(2) << "\n";
  else
    PrintReadable(out, result, "");
}

}  // namespace vlmhost
