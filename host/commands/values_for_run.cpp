#include "commands/values_for_run.h"

#include <sstream>

#include "host_context.h"

namespace vlmhost {

handset::screen::Size ParseScreenSize(const std::string& text) {
  int width = 0;
  int height = 0;
  char separator = 0;
  std::istringstream in(text);
  if (!(in >> width >> separator >> height) || (separator != 'x' && separator != 'X') || !in.eof() ||
      text.find_first_of(" \t+-") != std::string::npos)
    throw CommandError("--size " + text + ": expected WIDTHxHEIGHT, e.g. 480x800");
  return {width, height};
}

DwordValueForRun::DwordValueForRun(LPCWSTR keyPath, LPCWSTR valueName, std::optional<DWORD> value, const char* what)
    : valueName_(valueName) {
  if (!value) return;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, 0, nullptr, &key_, nullptr) != ERROR_SUCCESS)
    throw CommandError(std::string("the ") + what + " cannot be changed");
  DWORD size = sizeof(previous_);
  hadValue_ = RegQueryValueExW(key_, valueName_, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
              ERROR_SUCCESS;
  Write(*value);
}

DwordValueForRun::~DwordValueForRun() {
  if (!key_) return;
  if (hadValue_)
    Write(previous_);
  else
    RegDeleteValueW(key_, valueName_);
  RegCloseKey(key_);
}

void DwordValueForRun::Write(DWORD value) {
  RegSetValueExW(key_, valueName_, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

ScreenSizeForRun::ScreenSizeForRun(const std::optional<handset::screen::Size>& size)
    : previous_(handset::screen::CurrentSize()) {
  if (size && !handset::screen::SetSize(size->width, size->height))
    throw CommandError("--size " + std::to_string(size->width) + "x" + std::to_string(size->height) +
                       ": the handset's screen sizes are 240x320, 240x240, 320x240, 480x640, 640x480, 480x800, "
                       "800x480");
}

ScreenSizeForRun::~ScreenSizeForRun() { handset::screen::SetSize(previous_.width, previous_.height); }

}  // namespace vlmhost
