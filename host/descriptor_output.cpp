#include "descriptor_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vlmhost {

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd), buffer_(64 * 1024) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() { Drain(); }

bool DescriptorOutput::Drain() {
  const char* next = pbase();
  while (next < pptr() && error_ == 0) {
    ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) error_ = written < 0 ? errno : EIO;
    else next += written;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int DescriptorOutput::sync() { return Drain() ? 0 : -1; }

std::string OutputErrorText(const std::streambuf* stream) {
  auto* output = dynamic_cast<const DescriptorOutput*>(stream);
  return output && output->Error() ? std::strerror(output->Error()) : std::string();
}

}  // namespace vlmhost
