#include <gtest/gtest.h>

#include <thread>

#include <windows.h>

namespace {

TEST(LastErrorTest, EachThreadKeepsItsOwnValue) {
  SetLastError(ERROR_MORE_DATA);
  DWORD seenByOther = 1;
  std::thread other([&] {
    seenByOther = GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
  });
  other.join();
  EXPECT_EQ(seenByOther, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
}

}  // namespace
