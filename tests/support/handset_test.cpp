#include "support/handset_test.h"

#include "handset/handset.h"
#include "handset/user.h"
#include "support/message_sequence.h"

namespace testing_support {

void HandsetTest::SetUp() {
  handset::Reset();
  // A dialog a test opens without a script fails the test at once instead of waiting for a person.
  handset::user::Install(handset::user::Participant::Script);
  Messages().Clear();
}
void HandsetTest::TearDown() { handset::Shutdown(); }

}  // namespace testing_support
