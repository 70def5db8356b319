// What a run of the options screen changes on the device for its own length only: a registry value
// and the screen size, each put back as it was when the run is over.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "handset/screen.h"

namespace vlmhost {

// "480x800" as a size; a CommandError names the text when it is not WIDTHxHEIGHT.
handset::screen::Size ParseScreenSize(const std::string& text);

// A DWORD value of the device's registry, set for a run and put back as it was afterwards; nothing
// is touched without a value to set.
class DwordValueForRun {
 public:
  DwordValueForRun(LPCWSTR keyPath, LPCWSTR valueName, std::optional<DWORD> value, const char* what);
  ~DwordValueForRun();
  DwordValueForRun(const DwordValueForRun&) = delete;
  DwordValueForRun& operator=(const DwordValueForRun&) = delete;

 private:
  void Write(DWORD value);
  LPCWSTR valueName_;
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  DWORD previous_ = 0;
};

// The screen size for a run, put back afterwards.
class ScreenSizeForRun {
 public:
  explicit ScreenSizeForRun(const std::optional<handset::screen::Size>& size);
  ~ScreenSizeForRun();
  ScreenSizeForRun(const ScreenSizeForRun&) = delete;
  ScreenSizeForRun& operator=(const ScreenSizeForRun&) = delete;

 private:
  handset::screen::Size previous_;
};

}  // namespace vlmhost
