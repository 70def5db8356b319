// The parts of the handset's control API that desktop Windows has no counterpart for: registry fault
// injection and the call trace. The tests that use them are skipped on Windows before they get here
// (REQUIRES_HANDSET); reaching one anyway is a fault of the test, reported as a failure.
#include <gtest/gtest.h>

#include "handset/registry.h"
#include "handset/trace.h"

namespace {

void NotOnWindows(const char* what) {
  ADD_FAILURE() << what << " exists only on the handset: the test must start with REQUIRES_HANDSET";
}

}  // namespace

namespace handset::registry {

void FailKey(std::string_view, std::int32_t, KeyOperation) { NotOnWindows("registry fault injection"); }
void FailValue(std::string_view, std::string_view, std::int32_t) { NotOnWindows("registry fault injection"); }
void ClearFaults() { NotOnWindows("registry fault injection"); }

}  // namespace handset::registry

namespace handset::trace {

void Start() { NotOnWindows("the call trace"); }
std::vector<Call> Calls() {
  NotOnWindows("the call trace");
  return {};
}
std::vector<Call> Calls(const std::string&) {
  NotOnWindows("the call trace");
  return {};
}

}  // namespace handset::trace
