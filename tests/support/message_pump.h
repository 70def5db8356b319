// Pumping the calling thread's messages with a deadline: a test that waits for something a message
// brings fails with a message after its patience (real time) instead of pumping for ever.
#pragma once

#include <chrono>
#include <functional>

#include <gtest/gtest.h>

namespace testing_support {

// Dispatches the calling thread's messages until `done` holds. Never blocks in GetMessageW, so
// it also ends when no message will ever come (a frozen handset clock, a timer whose procedure
// does nothing visible).
testing::AssertionResult PumpUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds patience = std::chrono::seconds(10));

}  // namespace testing_support
