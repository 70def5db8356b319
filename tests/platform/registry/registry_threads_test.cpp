// Many threads using the same keys at once.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "handset/handset.h"
#include "handset/registry.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using RegistryThreadsTest = testing_support::HandsetTest;

TEST_F(RegistryThreadsTest, ThreadsHammeringTheSameKeyEachSeeTheirOwnValues) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 300;
  std::size_t handlesBefore = handset::LiveHandleCount();
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      std::u16string name = u"value" + std::u16string(1, static_cast<char16_t>(u'A' + t));
      for (int round = 0; round < kRounds; ++round) {
        HKEY outer = nullptr, inner = nullptr;
        DWORD d;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo", 0, const_cast<LPWSTR>(u""), 0, 0, nullptr, &outer,
                            &d) != ERROR_SUCCESS ||
            RegCreateKeyExW(outer, u"Phone", 0, const_cast<LPWSTR>(u""), 0, 0, nullptr, &inner, &d) != ERROR_SUCCESS) {
          ++failures;
          continue;
        }
        DWORD written = static_cast<DWORD>(t * 100000 + round), read = 0, size = sizeof read;
        if (RegSetValueExW(inner, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&written), sizeof written) !=
                ERROR_SUCCESS ||
            RegQueryValueExW(inner, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
            read != written)
          ++failures;
        // Another thread's subtree comes and goes meanwhile.
        HKEY scratch = nullptr;
        std::u16string scratchName = u"Scratch" + name;
        RegCreateKeyExW(inner, scratchName.c_str(), 0, nullptr, 0, 0, nullptr, &scratch, &d);
        RegCloseKey(scratch);
        if (round % 3 == 0) RegDeleteKeyW(inner, scratchName.c_str());
        WCHAR sub[300];
        DWORD subSize = 300;
        for (DWORD i = 0; RegEnumKeyExW(inner, i, sub, &subSize, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, subSize = 300) {
        }
        if (RegCloseKey(inner) != ERROR_SUCCESS || RegCloseKey(outer) != ERROR_SUCCESS) ++failures;
      }
    });
  }
  // Meanwhile the control side reads, writes and flushes the same key.
  for (int round = 0; round < kRounds; ++round) {
    handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "control", static_cast<std::uint32_t>(round));
    handset::registry::Read("HKLM\\Software\\Zarvo\\Phone", "valueA");
    if (round % 50 == 0) RegFlushKey(HKEY_LOCAL_MACHINE);
  }
  for (auto& thread : threads) thread.join();

  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
  for (int t = 0; t < kThreads; ++t) {
    std::string name = "value" + std::string(1, static_cast<char>('A' + t));
    EXPECT_EQ(handset::registry::ReadDword("HKLM\\Software\\Zarvo\\Phone", name),
              static_cast<std::uint32_t>(t * 100000 + kRounds - 1));
  }
}

}  // namespace
