#include "core/handset.h"
#include "handset/threads.h"
#include "threads/thread_table.h"

namespace handset::threads {

std::size_t LiveThreadCount() { return core::State<ThreadTable>().LiveCount(); }

void SetThreadCreationFails(bool fails) { core::State<ThreadTable>().SetCreationFails(fails); }

}  // namespace handset::threads
