#include "support/message_pump.h"

#include <windows.h>

#include <thread>

namespace testing_support {

testing::AssertionResult PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
  auto giveUp = std::chrono::steady_clock::now() + patience;
  MSG message;
  for (;;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (done()) return testing::AssertionSuccess();
    if (std::chrono::steady_clock::now() >= giveUp)
      return testing::AssertionFailure() << "still waiting after " << patience.count() << " ms of pumping messages";
    // Real time, not Sleep: the handset's Sleep follows its clock, which the test may hold.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace testing_support
