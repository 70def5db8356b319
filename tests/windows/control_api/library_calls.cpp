// The handset's call trace and registry fault injection for the tests run on desktop Windows: the
// registry, window-lookup and message calls that vlmrc.dll imports are routed through the functions
// here (RouteLibraryCalls), which record them as the handset's trace does (trace.h says how) and fail
// the keys and values a test names, then pass the call on to Windows. Calls the tests make through
// the control API do not come through here, as on the handset.
#define WIN32_CE_IMPLEMENTATION  // the real registry functions, whatever the CE layer maps
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control_api/import_table.h"
#include "handset/registry.h"
#include "handset/text.h"
#include "handset/trace.h"

namespace {

// Key paths as the handset traces them: the root's short name, then the names as the caller wrote
// them.
using Path = std::wstring;

struct Fault {
  Path key;
  std::optional<Path> value;  // a value fault names its value
  LONG error;
  handset::registry::KeyOperation operations;
};

struct LibraryCalls {
  std::mutex lock;
  std::map<HKEY, Path> keys;  // the keys the library has open
  std::vector<Fault> faults;
  bool tracing = false;
  std::vector<handset::trace::Call> calls;
};

LibraryCalls& State() {
  static LibraryCalls state;
  return state;
}

std::string Utf8(const std::wstring& text) { return handset::Utf8(std::u16string(text.begin(), text.end())); }

Path Wide(std::string_view utf8) {
  std::u16string units = handset::Utf16(utf8);
  return Path(units.begin(), units.end());
}

bool SameName(const Path& a, const Path& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towupper(x) == towupper(y); });
}

// "HKEY_LOCAL_MACHINE\Software" and "hklm\software" both become "HKLM\software": faults compare
// paths without regard to case.
Path Normalized(std::string_view path) {
  Path wide = Wide(path);
  Path root = wide.substr(0, wide.find(L'\\'));
  static const std::pair<const wchar_t*, const wchar_t*> longNames[] = {{L"HKEY_LOCAL_MACHINE", L"HKLM"},
                                                                       {L"HKEY_CURRENT_USER", L"HKCU"},
                                                                       {L"HKEY_CLASSES_ROOT", L"HKCR"},
                                                                       {L"HKEY_USERS", L"HKU"}};
  for (const auto& [longName, shortName] : longNames)
    if (SameName(root, longName)) return shortName + wide.substr(root.size());
  return wide;
}

Path PathOf(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (key == HKEY_CURRENT_USER) return L"HKCU";
  if (key == HKEY_CLASSES_ROOT) return L"HKCR";
  if (key == HKEY_USERS) return L"HKU";
  auto found = State().keys.find(key);
  return found != State().keys.end() ? found->second : L"<invalid handle>";
}

Path SpelledPath(HKEY parent, LPCWSTR subKey) {
  Path path = PathOf(parent);
  Path below = subKey != nullptr ? subKey : L"";
  if (!below.empty() && below.back() == L'\\') below.pop_back();
  return below.empty() ? path : path + L"\\" + below;
}

void Record(const char* function, std::vector<std::string> args) {
  if (State().tracing) State().calls.push_back({function, std::move(args)});
}

std::optional<LONG> KeyFault(const Path& path, handset::registry::KeyOperation operation) {
  for (const Fault& fault : State().faults)
    if (!fault.value && SameName(fault.key, path) &&
        (static_cast<int>(fault.operations) & static_cast<int>(operation)) != 0)
      return fault.error;
  return std::nullopt;
}

LONG WINAPI TracedCreateKey(HKEY parent, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                            LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  std::lock_guard guard(State().lock);
  Path path = SpelledPath(parent, subKey);
  LONG error = KeyFault(path, handset::registry::KeyOperation::Create)
                   .value_or(RegCreateKeyExW(parent, subKey, reserved, keyClass, options, access, security, result,
                                             disposition));
  if (error == ERROR_SUCCESS) State().keys[*result] = path;
  Record("RegCreateKeyExW", {Utf8(path), std::to_string(error)});
  return error;
}

LONG WINAPI TracedOpenKey(HKEY parent, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  std::lock_guard guard(State().lock);
  Path path = SpelledPath(parent, subKey);
  LONG error = KeyFault(path, handset::registry::KeyOperation::Open)
                   .value_or(RegOpenKeyExW(parent, subKey, options, access, result));
  if (error == ERROR_SUCCESS) State().keys[*result] = path;
  Record("RegOpenKeyExW", {Utf8(path), std::to_string(error)});
  return error;
}

LONG WINAPI TracedQueryValue(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  std::lock_guard guard(State().lock);
  Path path = PathOf(key);
  Path valueName = name != nullptr ? name : L"";
  std::optional<LONG> fault;
  for (const Fault& f : State().faults)
    if (f.value && SameName(f.key, path) && SameName(*f.value, valueName)) fault = f.error;
  LONG error = fault.value_or(RegQueryValueExW(key, name, reserved, type, data, size));
  Record("RegQueryValueExW", {Utf8(path), Utf8(valueName), std::to_string(error)});
  return error;
}

LONG WINAPI TracedSetValue(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  std::lock_guard guard(State().lock);
  LONG error = RegSetValueExW(key, name, reserved, type, data, size);
  Record("RegSetValueExW", {Utf8(PathOf(key)), Utf8(name != nullptr ? name : L""), std::to_string(error)});
  return error;
}

LONG WINAPI TracedDeleteValue(HKEY key, LPCWSTR name) {
  std::lock_guard guard(State().lock);
  LONG error = RegDeleteValueW(key, name);
  Record("RegDeleteValueW", {Utf8(PathOf(key)), Utf8(name != nullptr ? name : L""), std::to_string(error)});
  return error;
}

LONG WINAPI TracedFlushKey(HKEY key) {
  std::lock_guard guard(State().lock);
  LONG error = RegFlushKey(key);
  Record("RegFlushKey", {Utf8(PathOf(key)), std::to_string(error)});
  return error;
}

LONG WINAPI TracedCloseKey(HKEY key) {
  std::lock_guard guard(State().lock);
  Record("RegCloseKey", {Utf8(PathOf(key))});
  State().keys.erase(key);
  return RegCloseKey(key);
}

HWND WINAPI TracedFindWindow(LPCWSTR windowClass, LPCWSTR title) {
  {
    std::lock_guard guard(State().lock);
    Record("FindWindowW", {Utf8(windowClass != nullptr ? windowClass : L""), Utf8(title != nullptr ? title : L"")});
  }
  return FindWindowW(windowClass, title);
}

LRESULT WINAPI TracedSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard guard(State().lock);
    char hex[16];
    wsprintfA(hex, "0x%04X", message);
    Record("SendMessageW", {hex});
  }
  return SendMessageW(window, message, wParam, lParam);
}

}  // namespace

namespace testing_windows {

void RouteLibraryCalls(HMODULE library) {
  const std::pair<const char*, const void*> routes[] = {
      {"RegCreateKeyExW", reinterpret_cast<const void*>(&TracedCreateKey)},
      {"RegOpenKeyExW", reinterpret_cast<const void*>(&TracedOpenKey)},
      {"RegQueryValueExW", reinterpret_cast<const void*>(&TracedQueryValue)},
      {"RegSetValueExW", reinterpret_cast<const void*>(&TracedSetValue)},
      {"RegDeleteValueW", reinterpret_cast<const void*>(&TracedDeleteValue)},
      {"RegFlushKey", reinterpret_cast<const void*>(&TracedFlushKey)},
      {"RegCloseKey", reinterpret_cast<const void*>(&TracedCloseKey)},
      {"FindWindowW", reinterpret_cast<const void*>(&TracedFindWindow)},
      {"SendMessageW", reinterpret_cast<const void*>(&TracedSendMessage)},
  };
  for (const auto& [function, replacement] : routes) RouteImport(library, function, replacement);
}

void ResetLibraryCalls() {
  std::lock_guard guard(State().lock);
  State().faults.clear();
  State().tracing = false;
  State().calls.clear();
}

}  // namespace testing_windows

namespace handset::registry {

void FailKey(std::string_view keyPath, std::int32_t error, KeyOperation operations) {
  std::lock_guard guard(State().lock);
  State().faults.push_back({Normalized(keyPath), std::nullopt, error, operations});
}

void FailValue(std::string_view keyPath, std::string_view valueName, std::int32_t error) {
  std::lock_guard guard(State().lock);
  State().faults.push_back({Normalized(keyPath), Wide(valueName), error, KeyOperation::CreateOrOpen});
}

void ClearFaults() {
  std::lock_guard guard(State().lock);
  State().faults.clear();
}

}  // namespace handset::registry

namespace handset::trace {

void Start() {
  std::lock_guard guard(State().lock);
  State().calls.clear();
  State().tracing = true;
}

void Stop() {
  std::lock_guard guard(State().lock);
  State().tracing = false;
}

std::vector<Call> Calls() {
  std::lock_guard guard(State().lock);
  return State().calls;
}

std::vector<Call> Calls(const std::string& function) {
  std::lock_guard guard(State().lock);
  std::vector<Call> calls;
  for (const Call& call : State().calls)
    if (call.function == function) calls.push_back(call);
  return calls;
}

}  // namespace handset::trace
