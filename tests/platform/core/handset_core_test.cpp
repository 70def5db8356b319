#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "handset/handset.h"
#include "handset/text.h"
#include "support/handset_test.h"

namespace {

using testing_support::HandsetTest;

TEST_F(HandsetTest, TemporaryRootIsRemovedAtShutdownButAChosenRootIsKept) {
  auto temporary = handset::Root();
  EXPECT_TRUE(std::filesystem::is_directory(temporary));
  handset::Shutdown();
  EXPECT_FALSE(std::filesystem::exists(temporary));

  auto chosen = std::filesystem::temp_directory_path() / ("handset-core-test-root-" + std::to_string(getpid()));
  std::filesystem::remove_all(chosen);
  handset::Reset(chosen);
  EXPECT_EQ(handset::Root(), chosen);
  std::ofstream(chosen / "marker") << "x";
  handset::Shutdown();
  EXPECT_TRUE(std::filesystem::exists(chosen / "marker"));
  std::filesystem::remove_all(chosen);
}

TEST_F(HandsetTest, DevicePathsMapIntoTheRootWithoutEscapingIt) {
  EXPECT_EQ(handset::HostPath(u"\\Windows\\x.bmp"), handset::Root() / "Windows" / "x.bmp");
  EXPECT_EQ(handset::HostPath(u"\\..\\..\\etc\\passwd"), handset::Root() / "etc" / "passwd");
}

TEST(TextTest, Utf16RoundTripsThroughUtf8IncludingSurrogatePairs) {
  std::u16string text = u"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(handset::Utf16(handset::Utf8(text)), text);
  EXPECT_EQ(handset::Utf8(u"\u00e9"), "\xC3\xA9");
  EXPECT_EQ(handset::Utf16("\xFF"), u"\uFFFD");
  EXPECT_EQ(handset::Utf16("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated sequence
}

}  // namespace
