#include "core/handset.h"
#include "handset/threads.h"
#include "threads/thread_table.h"

namespace handset::threads {

std::size_t LiveThreadCount() { return core::State<ThreadTable>().LiveCount(); }

bool WaitUntilBlocked(HANDLE thread, std::chrono::milliseconds patience) {
  auto found = core::Current().Handles().Find<HandsetThread>(thread);
  return found && found->table.WaitUntilBlocked(*found, patience);
}

void SetThreadCreationFails(bool fails) { core::State<ThreadTable>().SetCreationFails(fails); }

}  // namespace handset::threads
