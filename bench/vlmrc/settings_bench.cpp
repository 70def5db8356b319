// Cost of the settings exports, each call going through the handset's registry exactly as on the
// device, beside a baseline that reads the same ten values from a plain in-memory map.
#include <vlmrc/vlmrc.h>

#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "handset/handset.h"

namespace {

// A handset with vlmrc.dll loaded and its exports resolved, shared by the benchmarks of one run.
struct LoadedLibrary {
  LoadedLibrary() {
    handset::Reset();
    module = LoadLibraryW(u"vlmrc.dll");
    if (module == nullptr) throw std::runtime_error("vlmrc.dll not found");
  }
  template <class F>
  F* Get(const char16_t* name) {
    return reinterpret_cast<F*>(reinterpret_cast<void (*)()>(GetProcAddressW(module, name)));
  }
  HMODULE module;
};

LoadedLibrary& Library() {
  static LoadedLibrary library;
  return library;
}

#define EXPORT(name) Library().Get<decltype(::name)>(TEXT(#name))

void Baseline_ReadTenValuesFromMap(benchmark::State& state) {
  std::map<std::u16string, DWORD> values;
  const char16_t* names[] = {u"bShowCallTime", u"bShowPhoneNum_Name", u"bMirrorCamera", u"bAcceptVideoCallMuteVideo",
                             u"bMakeVideoCallMuteVideo", u"MuteVideo", u"ViewMode", u"PicFileName", u"Angle",
                             u"Other"};
  for (auto* name : names) values[name] = 1;
  for (auto _ : state) {
    DWORD sum = 0;
    for (auto* name : names) sum += values.find(name)->second;
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(Baseline_ReadTenValuesFromMap);

void GetVTOptSetting_Export(benchmark::State& state) {
  auto get = EXPORT(GetVTOptSetting);
  VTOptSetting record{};
  for (auto _ : state) {
    get(&record);
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(GetVTOptSetting_Export);

void SetVTOptSetting_Export(benchmark::State& state) {
  auto set = EXPORT(SetVTOptSetting);
  VTOptSetting record{};
  std::char_traits<char16_t>::copy(record.PicFileName, u"\\My Documents\\me.jpg", 21);
  for (auto _ : state) set(&record);
}
BENCHMARK(SetVTOptSetting_Export);

void GetPhoneSettings_Export(benchmark::State& state) {
  auto get = EXPORT(GetPhoneSettings);
  PhoneSettings record{};
  for (auto _ : state) {
    get(&record);
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(GetPhoneSettings_Export);

void fnGetBrightnessPos_Export(benchmark::State& state) {
  auto get = EXPORT(fnGetBrightnessPos);
  for (auto _ : state) benchmark::DoNotOptimize(get());
}
BENCHMARK(fnGetBrightnessPos_Export);

void VTRegisterThenIsVTRegistered_Export(benchmark::State& state) {
  auto reg = EXPORT(VTRegister);
  auto check = EXPORT(IsVTRegistered);
  DWORD value = 0;
  for (auto _ : state) {
    reg(5);
    benchmark::DoNotOptimize(check(1000, &value));
  }
}
BENCHMARK(VTRegisterThenIsVTRegistered_Export);

}  // namespace


