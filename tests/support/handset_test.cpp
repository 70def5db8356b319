#include "support/handset_test.h"

#include "handset/handset.h"
#include "support/message_sequence.h"

namespace testing_support {

void HandsetTest::SetUp() {
  handset::Reset();
  Messages().Clear();
}
void HandsetTest::TearDown() { handset::Shutdown(); }

}  // namespace testing_support

// The system's fontconfig keeps what it parsed from its configuration until FcFini, which nothing
// may call while Cairo still holds fonts; the leak checker is told that this memory is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
