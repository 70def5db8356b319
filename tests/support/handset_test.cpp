#include "support/handset_test.h"

#include "handset/handset.h"

namespace testing_support {

void HandsetTest::SetUp() { handset::Reset(); }
void HandsetTest::TearDown() { handset::Shutdown(); }

}  // namespace testing_support
