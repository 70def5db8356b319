// The LED's blink rhythm: the lit phases that the blink thread starts, measured from the LED
// driver's log, against the 300 ms the thread sleeps per phase.
#include <vlmrc/vlmrc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "handset/devices.h"

namespace {

constexpr double kPhaseMs = 300.0;

// The times at which the LED entered a lit phase, in order.
std::vector<std::chrono::steady_clock::time_point> LitPhaseStarts() {
  std::vector<std::chrono::steady_clock::time_point> starts;
  for (auto& command : handset::devices::LedCommands())
    if (command.record[0] == handset::devices::kLedFirstPhase || command.record[0] == handset::devices::kLedSecondPhase)
      starts.push_back(command.time);
  return starts;
}

template <class Function>
Function* Export(HMODULE module, const char16_t* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddressW(module, name)));
}

void LedPhasePeriod(benchmark::State& state) {
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  if (module == nullptr) throw std::runtime_error("vlmrc.dll not found");
  auto turnOn = Export<decltype(TurnOnLED)>(module, u"TurnOnLED");
  auto turnOff = Export<decltype(TurnOffLED)>(module, u"TurnOffLED");
  const auto phases = static_cast<std::size_t>(state.range(0));

  std::vector<double> periods;
  for (auto _ : state) {
    handset::devices::ClearLedLog();
    turnOn();
    while (LitPhaseStarts().size() <= phases) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    turnOff();
    auto starts = LitPhaseStarts();
    for (std::size_t i = 1; i < starts.size(); ++i)
      periods.push_back(std::chrono::duration<double, std::milli>(starts[i] - starts[i - 1]).count());
  }
  FreeLibrary(module);

  double sum = 0;
  double worst = 0;
  for (double period : periods) {
    sum += period;
    worst = std::max(worst, std::abs(period - kPhaseMs));
  }
  state.counters["phases"] = static_cast<double>(periods.size());
  state.counters["mean_period_ms"] = sum / static_cast<double>(periods.size());
  state.counters["mean_deviation_ms"] = sum / static_cast<double>(periods.size()) - kPhaseMs;
  state.counters["worst_deviation_ms"] = worst;
}

BENCHMARK(LedPhasePeriod)->Arg(24)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
