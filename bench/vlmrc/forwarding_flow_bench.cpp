// The whole forwarding flow as a person runs it, through CreateVTOpt on the simulated network with
// no latency: the options sheet's forwarding page, the query, the forwarding settings with one
// reason edited, the change sent, and the options sheet cancelled once back on its page. Reported
// as the median of repeated runs, wall-clock time (the network answers from its own thread).
#include <vlmrc/vlmrc.h>

#include <stdexcept>

#include <benchmark/benchmark.h>

#include "handset/handset.h"
#include "handset/user.h"
#include "zarvo3gvt/network.h"

namespace {

namespace user = handset::user;
namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

void ForwardingFlow_QueryEditSet(benchmark::State& state) {
  handset::Reset();
  HMODULE module = LoadLibraryW(u"vlmrc.dll");
  if (module == nullptr) throw std::runtime_error("vlmrc.dll not found");
  auto createVTOpt = reinterpret_cast<decltype(&::CreateVTOpt)>(
      reinterpret_cast<void (*)()>(GetProcAddressW(module, u"CreateVTOpt")));
  network::WriteBehaviour({.failure = network::Failure::None, .error = 30, .latencyMs = 0});
  int run = 0;
  for (auto _ : state) {
    // A different number each run, so that every run is a change the network has to take.
    std::u16string number = u"555 01" + std::u16string(1, static_cast<char16_t>(u'0' + run++ % 10));
    user::SetScript({user::Tab(u"Forwarding"), user::Tap(7205), user::Expect(user::Dialog(7306, 5s)),
                     user::Check(1023), user::Type(1053, number), user::Ok(), user::Expect(user::Dialog(7302, 5s)),
                     user::Cancel()});
    createVTOpt(nullptr);
    if (!user::Failures().empty()) {
      state.SkipWithError(user::Failures()[0].message.c_str());
      break;
    }
  }
  FreeLibrary(module);
}
BENCHMARK(ForwardingFlow_QueryEditSet)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
