// A request the live handset refuses: the HTTP status and a message naming what was wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace vlmhost::live {

class RequestError : public std::runtime_error {
 public:
  RequestError(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
  int Status() const { return status_; }

 private:
  int status_;
};

// 400: the request itself is wrong.
inline RequestError BadRequest(const std::string& message) { return RequestError(400, message); }

}  // namespace vlmhost::live
