// What every vlmhost command works with: the device folder, the output form, the handset opened on
// that folder, vlmrc.dll loaded by name and the worker window that the host owns.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace vlmhost {

// Results keep the order in which a command adds their fields, in both output forms.
using Json = nlohmann::ordered_json;

// A failure that a person must read: what was wrong, and nothing was changed.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::filesystem::path DefaultDeviceFolder();

class WorkerWindow;
struct Notification;

class HostContext {
 public:
  HostContext(std::ostream& out, std::ostream& err);
  ~HostContext();

  std::filesystem::path deviceFolder = DefaultDeviceFolder();
  bool json = false;
  std::vector<std::string> withoutModules;  // file names of modules the device lacks
  std::optional<LANGID> language;           // the user-interface language; the handset's own when unset

  // Opens the handset on the device folder and loads vlmrc.dll, once.
  void Start();
  // Writes what the command changed to the device folder; a CommandError with the reason when it
  // cannot be written.
  void Finish();
  // The export of that name, typed like its declaration; a CommandError when it is missing.
  HMODULE Module() {
    Start();
    return library_;
  }
  template <class Function>
  Function* Export(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(ExportAddress(name)));
  }
  // The host's worker window, the owner of the screens the host opens.
  HWND WorkerWindowHandle();
  // What the worker window received since the last call (handling what was posted to it first).
  std::vector<Notification> TakeNotifications();
  // Prints a command's result: JSON with --json, else readable "name: value" lines. The
  // notifications that the worker window received are part of it.
  void Print(Json result);

  std::ostream& out;
  std::ostream& err;

 private:
  FARPROC ExportAddress(const char* name);

  bool started_ = false;
  HMODULE library_ = nullptr;
  std::unique_ptr<WorkerWindow> worker_;
};

}  // namespace vlmhost

// Resolves the export named like a declaration of <vlmrc/vlmrc.h>.
#define VLMRC_EXPORT(context, name) (context).Export<decltype(::name)>(#name)
