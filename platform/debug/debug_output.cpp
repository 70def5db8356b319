#include "debug/debug_output.h"

#include <cstdio>

#include "core/handset.h"
#include "handset/debug.h"
#include "handset/text.h"

namespace handset::debug {

void DebugOutput::Append(std::u16string text) {
  if (text.ends_with(u"\r\n"))
    text.resize(text.size() - 2);
  else if (text.ends_with(u'\n'))
    text.pop_back();
  std::lock_guard lock(mutex_);
  if (echo_) {
    std::string line = Utf8(text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
  if (lines_.size() == kMaxLines) lines_.pop_front();
  lines_.push_back(std::move(text));
}

std::vector<std::u16string> DebugOutput::Lines() const {
  std::lock_guard lock(mutex_);
  return {lines_.begin(), lines_.end()};
}

void DebugOutput::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

void DebugOutput::SetEcho(bool on) {
  std::lock_guard lock(mutex_);
  echo_ = on;
}

DebugOutput& Output() { return core::State<DebugOutput>(); }

std::vector<std::u16string> Lines() { return Output().Lines(); }
void Clear() { Output().Clear(); }
void SetEcho(bool on) { Output().SetEcho(on); }

}  // namespace handset::debug
