// Control API of the handset's threads (CreateThread and kin).
#pragma once

#include <cstddef>

namespace handset::threads {

// Threads started by CreateThread that have not yet ended and been joined. A thread that has ended
// is joined here first, so zero proves that no thread of the handset is left.
std::size_t LiveThreadCount();

// While set, CreateThread fails with ERROR_NOT_ENOUGH_MEMORY.
void SetThreadCreationFails(bool fails);

}  // namespace handset::threads
