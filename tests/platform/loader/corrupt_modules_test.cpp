// Files that are not well-formed modules are refused without harm, and leave nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "handset/handset.h"
#include "handset/modules.h"
#include "loader_fixture.h"

namespace loader_testing {
namespace {

class CorruptModulesTest : public LoaderTest {
 protected:
  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  // A copy of resmod.dll in \Windows under `name` with one byte string replaced by another of the
  // same length.
  static void InstallPatched(const std::string& name, const std::string& from, const std::string& to) {
    ASSERT_EQ(from.size(), to.size());
    std::string image = Read(BuiltModules() / "resmod.dll");
    std::size_t at = image.find(from);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(image.find(from, at + 1), std::string::npos) << "the patch must be unambiguous";
    image.replace(at, from.size(), to);
    Write(handset::HostPath(u"\\Windows") / name, image);
  }

  // Loading `name` fails with `error`, names the file in the failure and leaves no handle behind.
  static void ExpectRefused(const char16_t* name, DWORD error, const std::string& reason) {
    std::size_t handles = handset::LiveHandleCount();
    EXPECT_EQ(LoadLibraryW(name), nullptr);
    EXPECT_EQ(GetLastError(), error);
    EXPECT_NE(handset::LastLoadFailure().find(reason), std::string::npos) << handset::LastLoadFailure();
    EXPECT_EQ(handset::LiveHandleCount(), handles);
    EXPECT_EQ(EntryLog(), "") << "a refused file never runs";
  }

  void SetUp() override {
    LoaderTest::SetUp();
    std::filesystem::create_directories(handset::HostPath(u"\\Windows"));
  }
};

TEST_F(CorruptModulesTest, FilesThatAreNotModulesAreRefused) {
  std::filesystem::path windows = handset::HostPath(u"\\Windows");
  Write(windows / "text.dll", "MZ" + std::string(200, 'x'));  // long enough for a header
  Write(windows / "empty.dll", "");
  std::string image = Read(BuiltModules() / "resmod.dll");
  Write(windows / "header.dll", image.substr(0, 40));
  Write(windows / "truncated.dll", image.substr(0, image.size() / 2));
  Write(windows / "object.dll", image.substr(0, 16) + '\x01' + image.substr(17));  // ET_REL
  std::string wrongClass = image;
  wrongClass[4] = 1;  // ELFCLASS32
  Write(windows / "class.dll", wrongClass);
  std::string otherProcessor = image;
  otherProcessor[18] = '\xB7';  // e_machine: EM_AARCH64 on this machine's modules, else EM_X86_64
  otherProcessor[19] = '\0';
  if (image[18] == '\xB7') otherProcessor[18] = '\x3E';
  Write(windows / "arm.dll", otherProcessor);

  ExpectRefused(u"text.dll", ERROR_BAD_EXE_FORMAT, "text.dll: not an ELF file");
  ExpectRefused(u"empty.dll", ERROR_BAD_EXE_FORMAT, "empty.dll: too short");
  ExpectRefused(u"header.dll", ERROR_BAD_EXE_FORMAT, "header.dll: too short");
  ExpectRefused(u"truncated.dll", ERROR_BAD_EXE_FORMAT, "outside the file");
  ExpectRefused(u"object.dll", ERROR_BAD_EXE_FORMAT, "not a shared object");
  ExpectRefused(u"class.dll", ERROR_BAD_EXE_FORMAT, "not a 64-bit");
  ExpectRefused(u"arm.dll", ERROR_BAD_EXE_FORMAT, "arm.dll: built for another processor");
  EXPECT_EQ(handset::LastLoadFailure().find("arm.dll"), handset::LastLoadFailure().rfind("arm.dll"))
      << "the file is named once";
}

TEST_F(CorruptModulesTest, ASectionTableOutsideTheFileIsRefused) {
  std::string image = Read(BuiltModules() / "resmod.dll");
  std::string farAway = image;
  for (int i = 0; i < 8; ++i) farAway[0x28 + i] = '\x7f';  // e_shoff
  Write(handset::HostPath(u"\\Windows") / "far.dll", farAway);
  ExpectRefused(u"far.dll", ERROR_BAD_EXE_FORMAT, "section table lies outside the file");
}

TEST_F(CorruptModulesTest, AMalformedExportTableIsRefused) {
  InstallPatched("badline.dll", "1 Twice\n", "x Twice\n");
  ExpectRefused(u"badline.dll", ERROR_BAD_EXE_FORMAT, "export table line 1 is malformed");
  InstallPatched("twice.dll", "3 CountLetters\n", "1 CountLetters\n");
  ExpectRefused(u"twice.dll", ERROR_BAD_EXE_FORMAT, "ordinal 1 is listed twice");
}

TEST_F(CorruptModulesTest, AnExportTheModuleDoesNotDefineIsRefused) {
  InstallPatched("missing.dll", "1 Twice\n", "1 Twick\n");
  ExpectRefused(u"missing.dll", ERROR_BAD_EXE_FORMAT, "export Twick is listed but not defined");
  // A name that only a library the module depends on defines is not the module's.
  InstallPatched("foreign.dll", "1 Twice\n", "1 abort\n");
  ExpectRefused(u"foreign.dll", ERROR_BAD_EXE_FORMAT, "export abort is listed but not defined");
}

TEST_F(CorruptModulesTest, MalformedResourcesAreRefused) {
  // The string table record of the module: its header size becomes larger than the section.
  std::string image = Read(BuiltModules() / "resmod.dll");
  const std::string stringTableHeader("\x20\x00\x00\x00\xff\xff\x06\x00\xff\xff\x01\x00", 12);
  std::size_t at = image.find(stringTableHeader);
  ASSERT_NE(at, std::string::npos);
  image[at + 3] = '\x7f';
  Write(handset::HostPath(u"\\Windows") / "badres.dll", image);
  ExpectRefused(u"badres.dll", ERROR_BAD_EXE_FORMAT, "runs past the end");
}

TEST_F(CorruptModulesTest, AMissingModuleNamesWhereItWasSought) {
  UseBuiltModules();
  ExpectRefused(u"nowhere.dll", ERROR_MOD_NOT_FOUND, "nowhere.dll: not found in");
  EXPECT_NE(handset::LastLoadFailure().find(BuiltModules().string()), std::string::npos);
  ExpectRefused(u"", ERROR_MOD_NOT_FOUND, "no module file name");
  ExpectRefused(u"\\Windows\\", ERROR_MOD_NOT_FOUND, "no module file name");
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // A folder of that name is not a module.
  std::filesystem::create_directories(handset::HostPath(u"\\Windows\\folder.dll"));
  ExpectRefused(u"folder.dll", ERROR_MOD_NOT_FOUND, "folder.dll: not found");
}

}  // namespace
}  // namespace loader_testing
