// Reading a scenario file from the disk, bounded so that a file named by mistake (a device, a FIFO,
// a log of millions of lines) is refused instead of hanging the run or filling the memory.
#include "core/bounded_read.h"
#include "handset/user.h"

namespace handset::user {

std::string ReadScenarioFile(const std::filesystem::path& file) {
  return core::ReadRegularFile(file, kMaxScenarioFileBytes);
}

}  // namespace handset::user
