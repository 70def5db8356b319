// The handset's debug-output sink: the lines written, the oldest dropped past a bound so that a
// long-running host does not grow without end.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace handset::debug {

class DebugOutput {
 public:
  static constexpr std::size_t kMaxLines = 65536;

  // Stores the text less one trailing "\r\n" or "\n".
  void Append(std::u16string text);
  std::vector<std::u16string> Lines() const;
  void Clear();
  void SetEcho(bool on);

 private:
  mutable std::mutex mutex_;
  std::deque<std::u16string> lines_;
  bool echo_ = false;
};

DebugOutput& Output();

}  // namespace handset::debug
