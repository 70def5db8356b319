// POST /network: one change of the simulated network, as the `network` command makes it:
//   {"reason": "busy", "active": true, "number": "5550100"}   (number kept when not given)
//   {"noReplySeconds": 20}   {"failure": "none"|"query"|"set"|"silent"|"refuse", "error": 30}
//   {"latency": 500}
#pragma once

#include <optional>
#include <string>

#include "host_context.h"
#include "zarvo3gvt/network.h"

namespace vlmhost::live {

struct NetworkChange {
  std::optional<zarvo3gvt::network::Reason> reason;
  bool active = false;
  std::optional<std::u16string> number;
  std::optional<unsigned> noReplySeconds;
  std::optional<zarvo3gvt::network::Failure> failure;
  std::optional<std::int32_t> error;
  std::optional<unsigned> latencyMs;
};

// Throws RequestError (400) naming the field that is wrong.
NetworkChange ReadNetworkChange(const Json& request);
// Stores the change; a CommandError when the network's stored settings cannot be used or an active
// reason has no number.
void ApplyNetworkChange(const NetworkChange& change);

}  // namespace vlmhost::live
