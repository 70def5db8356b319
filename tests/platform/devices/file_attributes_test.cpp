// GetFileAttributesW and GetFileAttributesExW: device paths in any letter case, what is missing, the
// creation time the handset keeps, and the module files the loader found outside the root folder.
#include <windows.h>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "handset/devices.h"
#include "handset/handset.h"
#include "loader/loader_fixture.h"

namespace {

std::uint64_t Value(const FILETIME& time) { return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

class FileAttributesTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    std::filesystem::create_directories(handset::HostPath(u"\\My Documents"));
    std::ofstream(handset::HostPath(u"\\My Documents\\me.jpg")) << "twelve bytes";
    std::ofstream(handset::HostPath(u"\\My Documents\\locked.jpg")) << "x";
    std::filesystem::permissions(handset::HostPath(u"\\My Documents\\locked.jpg"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  }
};

TEST_F(FileAttributesTest, AnswersFilesFoldersAndWhatIsMissing) {
  struct Case {
    const char16_t* path;
    DWORD attributes;
    DWORD error;
  } cases[] = {
      {u"\\My Documents\\me.jpg", FILE_ATTRIBUTE_ARCHIVE, 0},
      {u"\\MY DOCUMENTS\\Me.JPG", FILE_ATTRIBUTE_ARCHIVE, 0},
      {u"\\My Documents\\locked.jpg", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0},
      {u"\\My Documents", FILE_ATTRIBUTE_DIRECTORY, 0},
      {u"\\my documents\\", FILE_ATTRIBUTE_DIRECTORY, 0},
      {u"\\My Documents\\none.jpg", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
      {u"\\Nowhere\\none.jpg", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
      {u"\\My Documents\\me.jpg\\inside", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
      {u"\\My Documents\\*.jpg", INVALID_FILE_ATTRIBUTES, ERROR_INVALID_NAME},
      {u"\\..\\..\\etc\\passwd", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(handset::HostPath(c.path)));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetFileAttributesW(c.path), c.attributes);
    EXPECT_EQ(GetLastError(), c.error);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    data.nFileSizeLow = 99;
    EXPECT_EQ(GetFileAttributesExW(c.path, GetFileExInfoStandard, &data), c.error == 0 ? TRUE : FALSE);
    EXPECT_EQ(data.dwFileAttributes, c.error == 0 ? c.attributes : 0u);
    if (c.error != 0) {
      EXPECT_EQ(data.nFileSizeLow, 99u) << "a failure leaves the record alone";
    }
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_FALSE(GetFileAttributesExW(u"\\My Documents\\me.jpg", GetFileExMaxInfoLevel, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileAttributesTest, ReportsSizeWriteTimeAndTheKeptCreationTime) {
  const FILETIME created{0x12345678, 0x01C00000};
  ASSERT_TRUE(handset::devices::SetFileCreationTime(u"\\my documents\\ME.jpg", created));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\me.jpg", GetFileExInfoStandard, &data));
  EXPECT_EQ(Value(data.ftCreationTime), Value(created));
  EXPECT_EQ(data.nFileSizeLow, 12u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  struct stat status {};
  ASSERT_EQ(stat(handset::HostPath(u"\\My Documents\\me.jpg").c_str(), &status), 0);
  EXPECT_EQ(Value(data.ftLastWriteTime) / 10000000, static_cast<std::uint64_t>(status.st_mtim.tv_sec) + 11644473600u);
  EXPECT_EQ(Value(data.ftLastAccessTime), Value(data.ftLastWriteTime));

  // The time goes with the file when it moves, and not to a new file of the old name.
  std::filesystem::rename(handset::HostPath(u"\\My Documents\\me.jpg"), handset::HostPath(u"\\My Documents\\you.jpg"));
  std::ofstream(handset::HostPath(u"\\My Documents\\me.jpg")) << "new";
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\you.jpg", GetFileExInfoStandard, &data));
  EXPECT_EQ(Value(data.ftCreationTime), Value(created));
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\me.jpg", GetFileExInfoStandard, &data));
  EXPECT_NE(Value(data.ftCreationTime), Value(created));

  EXPECT_FALSE(handset::devices::SetFileCreationTime(u"\\My Documents\\none.jpg", created));
}

class ModuleFileAttributesTest : public loader_testing::ResmodTest {};

// A module the loader found in a module folder outside the handset is the file its module name says.
TEST_F(ModuleFileAttributesTest, TheFileNameOfALoadedModuleHasAttributes) {
  WCHAR name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(module_, name, MAX_PATH), 0u);
  EXPECT_EQ(std::u16string(name), u"\\Windows\\resmod.dll");
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(name, GetFileExInfoStandard, &data));
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(data.nFileSizeLow, std::filesystem::file_size(BuiltModules() / "resmod.dll"));
  FreeLibrary(module_);
  module_ = nullptr;
  EXPECT_NE(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES) << "a file of the handset image, loaded or not";
}

// "\Windows" shows the files of the module folders (the handset image) that the device's own folder
// lacks; the device's own copy comes first.
TEST_F(FileAttributesTest, WindowsShowsTheHandsetImageUnderTheDevicesOwnFiles) {
  std::filesystem::path image = handset::Root() / "image";
  std::filesystem::create_directories(image);
  std::ofstream(image / "IMAGE-ONLY.BMP") << "image";
  setenv("HANDSET_MODULE_PATH", image.c_str(), 1);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(GetFileAttributesExW(u"\\Windows\\image-only.bmp", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\image-only.bmp"), INVALID_FILE_ATTRIBUTES) << "only in \\Windows";
  std::filesystem::create_directories(handset::HostPath(u"\\Windows"));
  std::ofstream(handset::HostPath(u"\\Windows\\image-only.bmp")) << "the device's own";
  EXPECT_TRUE(GetFileAttributesExW(u"\\Windows\\IMAGE-ONLY.BMP", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 16u);
  unsetenv("HANDSET_MODULE_PATH");
}

}  // namespace
