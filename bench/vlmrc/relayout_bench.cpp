// Cost of one relayout of a page of 13 controls to its other layout after a rotation: the template
// read in place, 13 deferred moves committed in one batch and the controls' contents refreshed. The
// second benchmark adds the repaint that the batch leaves to do.
#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include <benchmark/benchmark.h>

#include "handset/handset.h"
#include "options/template_relayout.h"
#include "relayout_bench_ids.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A handset with the page shown from its portrait template, shared by the benchmarks of one run.
struct Stage {
  Stage() {
    handset::Reset();
    setenv("HANDSET_MODULE_PATH", RELAYOUT_BENCH_MODULE_DIR, 1);
    templates = LoadLibraryW(u"relayout_bench.dll");
    if (templates == nullptr) throw std::runtime_error("relayout_bench.dll not found");
    sheet = CreateWindowExW(0, u"static", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    page = CreateDialogParamW(templates, MAKEINTRESOURCEW(IDD_BENCH_PORTRAIT), sheet, PageProc, 0);
    if (page == nullptr) throw std::runtime_error("the page could not be created");
  }
  HMODULE templates;
  HWND sheet;  // the page sits in it as in the options sheet
  HWND page;
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

void Relayout(benchmark::State& state, bool repaint) {
  Stage& stage = TheStage();
  const UINT layouts[2] = {IDD_BENCH_LANDSCAPE, IDD_BENCH_PORTRAIT};
  int next = 0;
  for (auto _ : state) {
    if (!RelayoutDialogFromTemplate(stage.templates, stage.page, layouts[next])) state.SkipWithError("relayout failed");
    next ^= 1;
    if (repaint) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
  }
}

void RelayoutDialogFromTemplate_ThirteenControls(benchmark::State& state) { Relayout(state, false); }
BENCHMARK(RelayoutDialogFromTemplate_ThirteenControls)->Unit(benchmark::kMicrosecond);

void RelayoutDialogFromTemplate_ThirteenControlsAndRepaint(benchmark::State& state) { Relayout(state, true); }
BENCHMARK(RelayoutDialogFromTemplate_ThirteenControlsAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
