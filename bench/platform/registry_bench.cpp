// The registry's cost against a plain in-memory map: the sequence of calls a settings reader makes
// (outer key, inner key, eight reads, the open-only rotation key and its read, three closes) next
// to reading ten values from a std::map.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "handset/registry.h"
#include "windows.h"

namespace {

const char16_t* const kNames[] = {u"bShowCallTime", u"bShowPhoneNum_Name", u"bMirrorCamera",
                                  u"bAcceptVideoCallMuteVideo", u"bMakeVideoCallMuteVideo", u"MuteVideo",
                                  u"ViewMode"};

void Prepare() {
  for (const char16_t* name : kNames) {
    std::string utf8(name, name + std::char_traits<char16_t>::length(name));
    handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", utf8, 1);
  }
  handset::registry::WriteString("HKLM\\Software\\Zarvo\\Phone", "PicFileName", u"\\Windows\\picture.png");
  handset::registry::WriteDword("HKLM\\System\\GDI\\Rotation", "Angle", 90);
}

void BM_MapBaseline(benchmark::State& state) {
  const std::u16string_view names[] = {kNames[0], kNames[1], kNames[2], kNames[3], kNames[4], kNames[5],
                                       kNames[6], u"PicFileName", u"Angle", u"Spare"};
  std::map<std::u16string, DWORD, std::less<>> values;
  for (auto name : names) values.emplace(name, 1);
  for (auto _ : state) {
    DWORD sum = 0;
    for (auto name : names) sum += values.find(name)->second;
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_MapBaseline);

void BM_SettingsReadSequence(benchmark::State& state) {
  Prepare();
  for (auto _ : state) {
    HKEY outer = nullptr, inner = nullptr, rotation = nullptr;
    DWORD disposition, value, size, type;
    WCHAR text[260] = {};
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", 0, const_cast<LPWSTR>(u""), 0, 0, nullptr, &outer,
                    &disposition);
    RegCreateKeyExW(outer, u"Phone", 0, const_cast<LPWSTR>(u""), 0, 0, nullptr, &inner, &disposition);
    for (const char16_t* name : kNames) {
      size = sizeof value;
      RegQueryValueExW(inner, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    }
    size = 259 * sizeof(WCHAR);
    RegQueryValueExW(inner, u"PicFileName", nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(inner);
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", 0, 0, &rotation);
    size = sizeof value;
    RegQueryValueExW(rotation, u"Angle", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(rotation);
    RegCloseKey(outer);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_SettingsReadSequence);

void BM_QueryDword(benchmark::State& state) {
  Prepare();
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", 0, 0, &key);
  for (auto _ : state) {
    DWORD value, size = sizeof value;
    RegQueryValueExW(key, u"ViewMode", nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size);
    benchmark::DoNotOptimize(value);
  }
  RegCloseKey(key);
}
BENCHMARK(BM_QueryDword);

void BM_OpenClose(benchmark::State& state) {
  Prepare();
  for (auto _ : state) {
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", 0, 0, &key);
    RegCloseKey(key);
  }
}
BENCHMARK(BM_OpenClose);

}  // namespace
