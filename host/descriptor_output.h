// The standard output of vlmhost as a stream that keeps the reason of a failed write (a full disk,
// a closed pipe), so that the command can name it when it reports that its output was lost.
#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace vlmhost {

class DescriptorOutput : public std::streambuf {
 public:
  explicit DescriptorOutput(int fd);
  ~DescriptorOutput() override;
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  // The errno of the first write that failed; 0 while every write went through.
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Drain();

  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

// Why the output of `stream` was lost, when it was written through a DescriptorOutput that knows.
std::string OutputErrorText(const std::streambuf* stream);

}  // namespace vlmhost
