// The handset's handle count for leak checks, on desktop Windows: the process's open handles
// (registry keys among them).
#include <windows.h>

#include "handset/handset.h"

namespace handset {

std::size_t LiveHandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

}  // namespace handset
