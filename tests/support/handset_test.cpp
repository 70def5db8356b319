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
