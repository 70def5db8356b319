// Control API of the handset's threads (CreateThread and kin).
#pragma once

#include <chrono>
#include <cstddef>

#include <windef.h>

namespace handset::threads {

// Threads started by CreateThread that have not yet ended and been joined. A thread that has ended
// is joined here first, so zero proves that no thread of the handset is left.
std::size_t LiveThreadCount();

// Waits until the thread (a handle from CreateThread) is blocked in Sleep or WaitForSingleObject
// with nothing yet to wake it, so that a test that drives the frozen handset clock moves it only
// once the thread waits for it. When a move of the clock ends such a wait, the thread counts as
// running again before handset::clock::Advance returns. False when the handle is not a thread's,
// the thread ends, or `patience` (real time) passes first.
bool WaitUntilBlocked(HANDLE thread, std::chrono::milliseconds patience = std::chrono::seconds(10));

// While set, CreateThread fails with ERROR_NOT_ENOUGH_MEMORY.
void SetThreadCreationFails(bool fails);

}  // namespace handset::threads
