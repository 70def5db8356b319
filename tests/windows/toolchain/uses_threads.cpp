// Compiles only with a C++ library that has std::thread and std::mutex, as GoogleTest needs.
#include <mutex>
#include <thread>

int main() {
  std::mutex lock;
  int count = 0;
  std::thread worker([&] {
    std::lock_guard<std::mutex> guard(lock);
    ++count;
  });
  worker.join();
  return count == 1 ? 0 : 1;
}
