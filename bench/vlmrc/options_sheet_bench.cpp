// Cost of the options screen as a person uses it: opening the sheet through CreateVTOpt, showing
// its three pages (forwarding is supported by default) and closing it with OK; and turning the screen while the sheet is open, with the
// relayout and repaint that follow, measured from the turn until the sheet's thread is idle again
// (to hold against one 60 Hz frame, 16.7 ms).
#include <vlmrc/vlmrc.h>

#include <chrono>
#include <stdexcept>

#include <benchmark/benchmark.h>

#include "handset/handset.h"
#include "handset/screen.h"
#include "handset/user.h"

namespace {

namespace user = handset::user;
using Clock = std::chrono::steady_clock;

// A handset with vlmrc.dll loaded and the host's worker window made, shared by the benchmarks.
struct Host {
  Host() {
    handset::Reset();
    library = LoadLibraryW(u"vlmrc.dll");
    if (library == nullptr) throw std::runtime_error("vlmrc.dll not found");
    createVTOpt = reinterpret_cast<decltype(&::CreateVTOpt)>(
        reinterpret_cast<void (*)()>(GetProcAddressW(library, u"CreateVTOpt")));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = VLMRC_WORKER_CLASS;
    RegisterClassW(&windowClass);
    worker = CreateWindowExW(0, VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE, 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
  }
  // Runs the sheet with the script; false when a step could not be taken.
  bool Open(std::vector<user::Step> steps) {
    user::SetScript(std::move(steps));
    createVTOpt(worker);
    return user::Failures().empty() && user::StepsLeft() == 0;
  }
  HMODULE library;
  decltype(&::CreateVTOpt) createVTOpt;
  HWND worker;
};

Host& TheHost() {
  static Host host;
  return host;
}

void OptionsSheet_OpenEveryPageOk(benchmark::State& state) {
  Host& host = TheHost();
  for (auto _ : state) {
    if (!host.Open({user::Tab(1), user::Tab(2), user::Ok()})) state.SkipWithError("the script failed");
  }
}
BENCHMARK(OptionsSheet_OpenEveryPageOk)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// One iteration opens the sheet on the preferences page (portrait), turns the screen to landscape
// and back, and counts the mean of the two turns.
void OptionsSheet_RotateOpenSheet(benchmark::State& state) {
  Host& host = TheHost();
  for (auto _ : state) {
    Clock::time_point started;
    Clock::duration turns{};
    auto start = user::Run("start", [&] { started = Clock::now(); });
    auto stop = user::Run("stop", [&] { turns += Clock::now() - started; });
    handset::screen::SetSize(240, 320);
    if (!host.Open({start, user::Rotate(320, 240), stop, start, user::Rotate(240, 320), stop, user::Ok()}))
      state.SkipWithError("the script failed");
    state.SetIterationTime(std::chrono::duration<double>(turns).count() / 2);
  }
}
BENCHMARK(OptionsSheet_RotateOpenSheet)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
