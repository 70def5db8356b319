// The test programs' main. One process runs a whole suite, so after every test the listener puts back
// what a fresh process would have: no handset (the next call into it starts a fresh one), the
// environment of the start, and no last error on this thread.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "handset/handset.h"

extern char** environ;

namespace {

std::vector<std::string> EnvironmentNow() {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) entries.emplace_back(*entry);
  return entries;
}

void RestoreEnvironment(const std::vector<std::string>& entries) {
  if (EnvironmentNow() == entries) return;
  clearenv();
  for (const std::string& entry : entries) {
    std::size_t equals = entry.find('=');
    setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
  }
}

class FreshStartListener : public ::testing::EmptyTestEventListener {
 public:
  void OnTestEnd(const ::testing::TestInfo&) override {
    handset::Shutdown();
    RestoreEnvironment(start_);
    SetLastError(ERROR_SUCCESS);
  }

 private:
  const std::vector<std::string> start_ = EnvironmentNow();
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleMock(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStartListener);
  return RUN_ALL_TESTS();
}

// The system's fontconfig keeps what it parsed from its configuration until FcFini, which nothing
// may call while Cairo still holds fonts; the leak checker is told that this memory is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
