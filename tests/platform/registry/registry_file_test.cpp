// The registry file: persistence across restarts of the handset, the file format, refusal of a
// corrupt file, export and import.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <future>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "handset/handset.h"
#include "handset/registry.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

namespace fs = std::filesystem;
using handset::registry::Value;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const fs::path& file, std::string_view text) { std::ofstream(file, std::ios::binary) << text; }

std::string Reg(std::string_view body) { return "Windows Registry Editor Version 5.00\n\n" + std::string(body); }

// A handset root that survives restarts of the handset within one test.
class RegistryFileTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "registry-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    HandsetTest::TearDown();
    fs::remove_all(root_);
  }
  void Restart() { handset::Reset(root_); }
  fs::path RegFile() const { return root_ / "registry.reg"; }
  fs::path root_;
};

TEST_F(RegistryFileTest, EveryTypeSurvivesARestartByteForByte) {
  Restart();
  const std::vector<std::pair<std::string, Value>> values = {
      {"dword", {REG_DWORD, {0x78, 0x56, 0x34, 0x12}}},
      {"text", {REG_SZ, {'a', 0, '"', 0, '\\', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}}},  // a"\é😀
      {"odd text", {REG_SZ, {'a', 0, 'b'}}},
      {"unterminated", {REG_SZ, {'a', 0, 'b', 0}}},
      {"embedded nul", {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}}},
      {"line break", {REG_SZ, {'a', 0, '\n', 0, 0, 0}}},
      {"lone surrogate", {REG_SZ, {0x00, 0xD8, 0, 0}}},
      {"empty text", {REG_SZ, {}}},
      {"expand", {REG_EXPAND_SZ, {'%', 0, 'x', 0, '%', 0, 0, 0}}},
      {"binary", {REG_BINARY, {0, 1, 2, 0xFF}}},
      {"empty binary", {REG_BINARY, {}}},
      {"multi", {REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}},
      {"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
      {"short dword", {REG_DWORD, {1, 2}}},
      {"big endian", {REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4}}},
      {"none", {REG_NONE, {}}},
      {"custom type", {0xABCDEF01, {9}}},
      {"", {REG_SZ, {'d', 0, 0, 0}}},
      {"name \"quoted\" \\ =x", {REG_DWORD, {1, 0, 0, 0}}},
  };
  std::vector<std::uint8_t> big(300);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  for (const auto& [name, value] : values) handset::registry::Write("HKLM\\Software\\Zarvo\\Phone", name, value.type, value.data);
  handset::registry::Write("HKCU\\ControlPanel\\PhoneExtendFunction", "big", REG_BINARY, big);
  handset::registry::WriteDword("HKEY_USERS\\Default", "u", 1);
  handset::registry::WriteDword("HKCR\\.png", "c", 2);
  handset::registry::WriteDword("HKLM", "at the root", 3);
  HKEY empty = nullptr;
  DWORD d;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Empty\\Key", 0, nullptr, 0, 0, nullptr, &empty, &d),
            ERROR_SUCCESS);
  RegCloseKey(empty);

  Restart();  // orderly shutdown writes the file; the new handset reads it
  for (const auto& [name, value] : values)
    EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", name), value) << "value '" << name << "'";
  EXPECT_EQ(handset::registry::Read("HKCU\\ControlPanel\\PhoneExtendFunction", "big"), (Value{REG_BINARY, big}));
  EXPECT_EQ(handset::registry::ReadDword("HKU\\Default", "u"), 1u);
  EXPECT_EQ(handset::registry::ReadDword("HKCR\\.png", "c"), 2u);
  EXPECT_EQ(handset::registry::ReadDword("HKLM", "at the root"), 3u);
  EXPECT_TRUE(handset::registry::KeyExists("HKLM\\Software\\Zarvo\\Empty\\Key"));
  EXPECT_EQ(handset::registry::LoadError(), std::nullopt);

  // Reading it back and writing it again gives the same file.
  std::string first = ReadText(RegFile());
  handset::registry::WriteDword("HKLM\\Software", "touch", 1);
  HKEY software = nullptr;
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, 0, &software);
  RegDeleteValueW(software, u"touch");
  EXPECT_EQ(RegFlushKey(software), ERROR_SUCCESS);
  RegCloseKey(software);
  EXPECT_EQ(ReadText(RegFile()), first);
}

TEST_F(RegistryFileTest, TheFileReadsLikeTheRegistryEditorsFormat) {
  Restart();
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "bShowCallTime", 1);
  handset::registry::WriteString("HKLM\\Software\\Zarvo\\Phone", "PicFileName", u"\\Windows\\a \"b\".png");
  handset::registry::WriteString("HKLM\\Software\\Zarvo\\Phone", "", u"default");
  handset::registry::Write("HKLM\\Software\\Zarvo\\Phone", "bin", REG_BINARY, std::vector<std::uint8_t>{0xAB, 1});
  handset::registry::Write("HKLM\\Software\\Zarvo\\Phone", "odd", REG_SZ, std::vector<std::uint8_t>{'a', 0, 'b'});
  handset::registry::Write("HKLM\\Software\\Zarvo\\Phone", "long", REG_BINARY, std::vector<std::uint8_t>(40, 0x11));
  handset::Shutdown();

  std::string text = ReadText(RegFile());
  EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software]\n"));
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Zarvo\\Phone]\n"
                      "\"bShowCallTime\"=dword:00000001\n"
                      "\"PicFileName\"=\"\\\\Windows\\\\a \\\"b\\\".png\"\n"
                      "@=\"default\"\n"
                      "\"bin\"=hex:ab,01\n"
                      "\"odd\"=hex(1):61,00,62\n"
                      "\"long\"=hex:11,"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(",\\\n  11,"), std::string::npos) << "long hex lines are continued";
  EXPECT_EQ(text.find("HKEY_CURRENT_USER"), std::string::npos) << "empty roots are left out";
}

TEST_F(RegistryFileTest, HandWrittenFilesInUtf8OrUtf16AreRead) {
  const char* text =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zarvo\\Phone]\r\n"
      "\"MuteVideo\"=dword:7\r\n"
      "\"Name\" = \"caf\xC3\xA9\"\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Multi\"=hex(7):61,00,00,00,00,00\r\n";
  WriteText(RegFile(), text);
  Restart();
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", "MuteVideo"), 7u);
  EXPECT_EQ(handset::registry::ReadString("HKLM\\Software\\Zarvo\\Phone", "Name"), u"caf\u00E9");
  EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", "Bytes"), (Value{REG_BINARY, {1, 2, 3, 4}}));
  EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", "Multi"), (Value{REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0}}));

  std::u16string wide = u"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\ControlPanel\\LV]\n\"X\"=\"\u00E9\"\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : wide) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  handset::Shutdown();
  WriteText(RegFile(), bytes);
  Restart();
  EXPECT_EQ(handset::registry::ReadString("HKCU\\ControlPanel\\LV", "X"), u"\u00E9");
}

TEST_F(RegistryFileTest, TheFileIsReplacedAtomicallyAtFlush) {
  Restart();
  handset::registry::WriteDword("HKLM\\Software", "a", 1);
  ASSERT_EQ(RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  std::ifstream old(RegFile(), std::ios::binary);  // a reader of the old file
  std::string oldText = ReadText(RegFile());

  handset::registry::WriteDword("HKLM\\Software", "b", 2);
  ASSERT_EQ(RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  std::ostringstream seen;
  seen << old.rdbuf();
  EXPECT_EQ(seen.str(), oldText) << "the old file was rewritten in place";
  EXPECT_NE(ReadText(RegFile()).find("\"b\"=dword:00000002"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(root_))
    EXPECT_EQ(entry.path().filename(), "registry.reg") << "left behind: " << entry.path();

  // A file that cannot be written leaves no temporary file either.
  fs::create_directory(root_ / "folder");
  EXPECT_THROW(handset::registry::Export(root_ / "folder"), std::runtime_error);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 2);
}

TEST_F(RegistryFileTest, WhatAnInterruptedSaveLeftIsRemovedAtTheNextStart) {
  WriteText(RegFile(), Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:00000001\n"));
  WriteText(root_ / "registry.reg.tmp-Ab3xYz", "Windows Registry Editor Version 5.00\n\n[HKEY_LOC");
  WriteText(root_ / "registry.reg.tmp-notmine", "someone else's file");
  Restart();
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software", "a"), 1u);
  EXPECT_FALSE(fs::exists(root_ / "registry.reg.tmp-Ab3xYz"));
  EXPECT_TRUE(fs::exists(root_ / "registry.reg.tmp-notmine"));
}

struct CorruptFile {
  const char* name;
  std::string text;
  int line;
  const char* problem;
  friend void PrintTo(const CorruptFile& file, std::ostream* out) { *out << file.name; }
};

class RegistryCorruptFileTest : public RegistryFileTest, public ::testing::WithParamInterface<CorruptFile> {};

TEST_P(RegistryCorruptFileTest, IsRefusedWithItsNameAndLineAndNeverOverwritten) {
  const CorruptFile& corrupt = GetParam();
  WriteText(RegFile(), corrupt.text);
  testing::internal::CaptureStderr();
  Restart();
  HKEY key = nullptr;
  DWORD d;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo", 0, nullptr, 0, 0, nullptr, &key, &d), ERROR_SUCCESS);
  EXPECT_EQ(d, static_cast<DWORD>(REG_CREATED_NEW_KEY)) << "the handset runs on an empty registry";
  DWORD one = 1;
  RegSetValueExW(key, u"x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  EXPECT_EQ(RegFlushKey(key), ERROR_CANTWRITE);
  RegCloseKey(key);
  std::string expected = RegFile().string() + ":" + std::to_string(corrupt.line) + ": ";
  auto error = handset::registry::LoadError();
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->starts_with(expected)) << *error;
  EXPECT_NE(error->find(corrupt.problem), std::string::npos) << *error;
  handset::Shutdown();
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find(*error), std::string::npos);
  EXPECT_EQ(ReadText(RegFile()), corrupt.text);

  Restart();  // still refused, still untouched
  EXPECT_EQ(handset::registry::LoadError(), error);
  handset::Shutdown();
  EXPECT_EQ(ReadText(RegFile()), corrupt.text);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RegistryCorruptFileTest,
    ::testing::Values(
        CorruptFile{"syntax", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:00000001\n\"b\" dword:1\n"), 5, "syntax error"},
        CorruptFile{"unknown_type", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\n\"a\"=qword:1\n"), 5,
                    "unknown value type 'qword'"},
        CorruptFile{"unknown_hex_type", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=hex(zz):01\n"), 4,
                    "unknown value type 'hex(zz)'"},
        CorruptFile{"truncated_string", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"\\\\Windows\\\\pic\n"), 4,
                    "truncated value"},
        CorruptFile{"cut_off_in_dword", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:0000"), 4,
                    "truncated file: the last line has no line end"},
        CorruptFile{"truncated_hex", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=hex:01,02,\\\n"), 5, "truncated value"},
        CorruptFile{"trailing_comma", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=hex:01,02,\n"), 4, "truncated value"},
        CorruptFile{"unterminated_key", Reg("[HKEY_LOCAL_MACHINE\\Software\n"), 3, "syntax error"},
        CorruptFile{"unknown_root", Reg("[HKEY_NOWHERE\\Software]\n"), 3, "unknown root key 'HKEY_NOWHERE'"},
        CorruptFile{"key_too_deep", Reg("[HKEY_LOCAL_MACHINE\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a\\a]\n"), 3, "more than 16 levels below the root"},
        CorruptFile{"key_name_too_long", Reg("[HKEY_LOCAL_MACHINE\\Software\\" + std::string(256, 'k') + "]\n"), 3,
                    "a key name longer than 255 characters"},
        CorruptFile{"value_outside_key", Reg("\"a\"=dword:1\n"), 3, "before the first [key]"},
        CorruptFile{"long_dword", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:123456789\n"), 4, "invalid dword"},
        CorruptFile{"no_header", "REGEDIT5\n", 1, "not a registry file"},
        CorruptFile{"regedit4_bad_text", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=hex(7):c3,28,00,00\n", 4,
                    "not valid UTF-8"},
        CorruptFile{"empty", "", 1, "empty file"},
        CorruptFile{"not_utf8", Reg("\xC3(\n"), 3, "not valid UTF-8"},
        CorruptFile{"odd_utf16", std::string("\xFF\xFEW\0i\0\n\0x", 9), 2, "truncated UTF-16"}),
    [](const auto& info) { return std::string(info.param.name); });

// REGEDIT4 keeps text as the file's bytes: the same registry written in Windows-1252 and in UTF-8.
TEST_F(RegistryFileTest, Regedit4FilesInWindows1252OrUtf8ImportAsUtf16) {
  struct Legacy {
    const char* encoding;
    std::string cafe;       // "café" as the file's bytes
    std::string multiHex;   // "é€", "x" as a hex(7) list of the file's bytes
  };
  const Legacy files[] = {
      {"Windows-1252", "caf\xE9", "e9,80,00,78,00,00"},
      {"UTF-8", "caf\xC3\xA9", "c3,a9,e2,82,ac,00,78,00,00"},
  };
  const std::vector<std::uint8_t> multi = {0xE9, 0, 0xAC, 0x20, 0, 0, 'x', 0, 0, 0, 0, 0};
  for (const Legacy& legacy : files) {
    SCOPED_TRACE(legacy.encoding);
    handset::Reset();
    fs::path file = handset::Root() / "device.reg";
    WriteText(file, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Zarvo]\r\n"
                    "\"Count\"=dword:0000002a\r\n"
                    "\"Name\"=\"" + legacy.cafe + "\"\r\n"
                    "\"Bytes\"=hex:01,ff\r\n"
                    "\"List\"=hex(7):" + legacy.multiHex + "\r\n"
                    "\"Path\"=hex(2):25,54,00\r\n"
                    "[HKEY_CURRENT_USER\\Empty]\r\n");
    handset::registry::Import(file);
    EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo", "Count"), 42u);
    EXPECT_EQ(handset::registry::ReadString("HKLM\\Software\\Zarvo", "Name"), u"caf\u00E9");
    EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo", "Bytes"), (Value{REG_BINARY, {1, 0xFF}}));
    EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo", "List"), (Value{REG_MULTI_SZ, multi}));
    EXPECT_EQ(handset::registry::Read("HKLM\\Software\\Zarvo", "Path"), (Value{REG_EXPAND_SZ, {'%', 0, 'T', 0, 0, 0}}));
    EXPECT_TRUE(handset::registry::KeyExists("HKCU\\Empty"));
    // Written back in the newer form.
    handset::registry::Export(file);
    EXPECT_TRUE(ReadText(file).starts_with("Windows Registry Editor Version 5.00\n"));
  }
}

TEST_F(RegistryFileTest, ImportIsAllOrNothingAndMergesLikeTheRegistryEditor) {
  Restart();
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "keep", 1);
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "drop", 2);
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Old\\Sub", "x", 3);

  fs::path bad = root_ / "bad.reg";
  WriteText(bad, Reg("[HKEY_LOCAL_MACHINE\\Software\\Zarvo\\Phone]\n\"new\"=dword:5\n[-HKEY_LOCAL_MACHINE\\Software\\Zarvo\\Old]\n"
                     "\"oops\"=hex:0g\n"));
  try {
    handset::registry::Import(bad);
    FAIL() << "a bad file was imported";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), bad.string() + ":6: a value under a deleted [-key]");
  }
  EXPECT_FALSE(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", "new"));
  EXPECT_TRUE(handset::registry::KeyExists("HKLM\\Software\\Zarvo\\Old\\Sub"));

  fs::path good = root_ / "good.reg";
  WriteText(good, Reg("[HKEY_LOCAL_MACHINE\\Software\\Zarvo\\Phone]\n\"new\"=dword:5\n\"drop\"=-\n"
                      "[-HKEY_LOCAL_MACHINE\\Software\\Zarvo\\Old]\n"));
  handset::registry::Import(good);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", "new"), 5u);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", "keep"), 1u);
  EXPECT_FALSE(handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", "drop"));
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\Software\\Zarvo\\Old"));
  EXPECT_THROW(handset::registry::Import(root_ / "missing.reg"), std::runtime_error);
}

TEST_F(RegistryFileTest, ExportedFilesImportIntoAnotherHandsetUnchanged) {
  Restart();
  handset::registry::WriteString("HKLM\\Software\\Zarvo\\Phone", "PicFileName", u"\\Windows\\x.png");
  handset::registry::Write("HKCU\\A", "odd", REG_SZ, std::vector<std::uint8_t>{1, 2, 3});
  fs::path exported = root_ / "exported.reg";
  handset::registry::Export(exported);

  handset::Reset();  // a fresh handset elsewhere
  handset::registry::Import(exported);
  fs::path again = handset::Root() / "again.reg";
  handset::registry::Export(again);
  EXPECT_EQ(ReadText(again), ReadText(exported));
  EXPECT_EQ(handset::registry::ReadString("HKLM\\Software\\Zarvo\\Phone", "PicFileName"), u"\\Windows\\x.png");
}

}  // namespace

namespace {

// Special files where the registry file should be: each is refused at start with its reason, at
// once (never waiting on a FIFO, never reading a device), and left as it was.
struct SpecialRegistryFile {
  const char* name;
  void (*make)(const fs::path& file);
  const char* reason;
  friend void PrintTo(const SpecialRegistryFile& file, std::ostream* out) { *out << file.name; }
};

class RegistrySpecialFileTest : public RegistryFileTest, public ::testing::WithParamInterface<SpecialRegistryFile> {};

TEST_P(RegistrySpecialFileTest, IsRefusedAtOnceWithTheReasonAndLeftAsItWas) {
  GetParam().make(RegFile());
  auto kind = fs::symlink_status(RegFile()).type();
  testing::internal::CaptureStderr();
  Restart();
  auto error = handset::registry::LoadError();
  handset::registry::WriteDword("HKLM\\Software", "a", 1);
  EXPECT_THROW(handset::registry::Flush(), std::runtime_error);
  handset::Shutdown();
  std::string printed = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->starts_with(RegFile().string() + ": ")) << *error;
  EXPECT_NE(error->find(GetParam().reason), std::string::npos) << *error;
  EXPECT_NE(printed.find(*error), std::string::npos);
  EXPECT_EQ(fs::symlink_status(RegFile()).type(), kind);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistrySpecialFileTest,
    ::testing::Values(
        SpecialRegistryFile{"fifo", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0644), 0); },
                            "is a FIFO, not a regular file"},
        SpecialRegistryFile{"link_to_dev_zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
                            "is a character device, not a regular file"},
        SpecialRegistryFile{"link_loop",
                            [](const fs::path& f) {
                              fs::create_symlink("other.reg", f);
                              fs::create_symlink(f.filename(), f.parent_path() / "other.reg");
                            },
                            "Too many levels of symbolic links"},
        SpecialRegistryFile{"too_large",
                            [](const fs::path& f) {
                              WriteText(f, Reg(""));
                              fs::resize_file(f, (std::uintmax_t{16} << 20) + 1);
                            },
                            "is 16777217 bytes; at most 16 MiB are read"}),
    [](const auto& info) { return std::string(info.param.name); });

// A registry file that is a link (a chain of them, or one to a file still to be made) is read and
// saved through it: the link stays, and the file it names is replaced, with its temporary file
// beside it.
TEST_F(RegistryFileTest, ALinkedRegistryFileIsReadAndSavedThroughTheLink) {
  fs::create_directories(root_ / "real");
  WriteText(root_ / "real" / "device.reg", Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:00000001\n"));
  fs::create_symlink("real/device.reg", root_ / "middle.reg");
  fs::create_symlink("middle.reg", RegFile());
  Restart();
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software", "a"), 1u);
  handset::registry::WriteDword("HKLM\\Software", "b", 2);
  handset::Shutdown();
  EXPECT_TRUE(fs::is_symlink(RegFile()));
  EXPECT_TRUE(fs::is_symlink(root_ / "middle.reg"));
  EXPECT_NE(ReadText(root_ / "real" / "device.reg").find("\"b\"=dword:00000002"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "real"), fs::directory_iterator()), 1) << "a temporary file left";

  fs::remove(RegFile());
  fs::create_symlink(root_ / "real" / "new.reg", RegFile());  // dangling: a new registry, saved there
  Restart();
  EXPECT_FALSE(handset::registry::LoadError());
  handset::registry::WriteDword("HKLM\\Software", "c", 3);
  handset::Shutdown();
  EXPECT_TRUE(fs::is_symlink(RegFile()));
  EXPECT_NE(ReadText(root_ / "real" / "new.reg").find("\"c\"=dword:00000003"), std::string::npos);
}

// A save replaces the file with one of the same permissions and, where the writer may, owner.
TEST_F(RegistryFileTest, ASaveKeepsTheFilesModeAndOwner) {
  WriteText(RegFile(), Reg("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=dword:00000001\n"));
  fs::permissions(RegFile(), fs::perms::owner_read | fs::perms::owner_write);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(RegFile().c_str(), 12345, 23456), 0);
  }
  Restart();
  handset::registry::WriteDword("HKLM\\Software", "b", 2);
  handset::registry::Flush();
  struct stat status {};
  ASSERT_EQ(stat(RegFile().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(status.st_uid, 12345u);
    EXPECT_EQ(status.st_gid, 23456u);
  }
  EXPECT_NE(ReadText(RegFile()).find("\"b\"=dword:00000002"), std::string::npos);

  // A file made new gets the usual 0644.
  handset::registry::Export(root_ / "new.reg");
  ASSERT_EQ(stat((root_ / "new.reg").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0644u);
}

// Export streams into a FIFO or a device, replaces a linked file through the link, refuses what it
// must not write, and removes the temporary files that its own earlier runs left when cut short.
TEST_F(RegistryFileTest, ExportStreamsIntoFifosAndDevicesAndReplacesFilesThroughLinks) {
  Restart();
  handset::registry::WriteDword("HKLM\\Software", "a", 1);
  const std::string text = handset::registry::ExportText();

  EXPECT_NO_THROW(handset::registry::Export("/dev/null"));
  EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);

  fs::path fifo = root_ / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  try {
    handset::registry::Export(fifo);
    ADD_FAILURE() << "a FIFO without a reader was written";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), fifo.string() + ": cannot write: no process reads the FIFO");
  }
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  auto read = std::async(std::launch::async, [reader] {
    fcntl(reader, F_SETFL, 0);
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
    close(reader);
    return got;
  });
  handset::registry::Export(fifo);
  EXPECT_EQ(read.get(), text);
  EXPECT_TRUE(fs::is_fifo(fifo));

  fs::path target = root_ / "exports" / "device.reg";
  fs::create_directories(target.parent_path());
  WriteText(target, "old");
  fs::create_symlink(target, root_ / "link.reg");
  WriteText(target.string() + ".tmp-Ab3xYz", "what a killed export left");
  fs::path live = target.string() + ".tmp-Cd4wXv";  // a writer at work in another process
  WriteText(live, "being written");
  int writer = open(live.c_str(), O_RDONLY);
  ASSERT_EQ(flock(writer, LOCK_EX), 0);
  handset::registry::Export(root_ / "link.reg");
  EXPECT_TRUE(fs::is_symlink(root_ / "link.reg"));
  EXPECT_EQ(ReadText(target), text);
  EXPECT_FALSE(fs::exists(target.string() + ".tmp-Ab3xYz"));
  EXPECT_TRUE(fs::exists(live));
  close(writer);
}

}  // namespace
