#include "trace/trace.h"

#include <atomic>
#include <mutex>

#include "core/handset.h"
#include "handset/trace.h"

namespace handset::trace {
namespace {

struct TraceState {
  std::atomic<bool> enabled{false};
  std::mutex mutex;
  std::vector<Call> calls;
};

}  // namespace

bool Enabled() { return core::State<TraceState>().enabled.load(std::memory_order_relaxed); }

void Record(std::string function, std::initializer_list<std::string> args) {
  auto& state = core::State<TraceState>();
  if (!state.enabled.load(std::memory_order_relaxed)) return;
  std::lock_guard lock(state.mutex);
  state.calls.push_back(Call{std::move(function), std::vector<std::string>(args)});
}

void Start() {
  auto& state = core::State<TraceState>();
  std::lock_guard lock(state.mutex);
  state.calls.clear();
  state.enabled = true;
}

void Stop() { core::State<TraceState>().enabled = false; }

std::vector<Call> Calls() {
  auto& state = core::State<TraceState>();
  std::lock_guard lock(state.mutex);
  return state.calls;
}

std::vector<Call> Calls(const std::string& function) {
  std::vector<Call> matching;
  for (auto& call : Calls())
    if (call.function == function) matching.push_back(call);
  return matching;
}

}  // namespace handset::trace
