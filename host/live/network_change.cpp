#include "live/network_change.h"

#include <array>
#include <limits>

#include "commands/stored_network.h"
#include "handset/text.h"
#include "live/request_error.h"

namespace vlmhost::live {
namespace {

namespace network = zarvo3gvt::network;

constexpr std::array<network::Failure, 5> kFailures{network::Failure::None, network::Failure::QueryFails,
                                                    network::Failure::SetFails, network::Failure::Silent,
                                                    network::Failure::Refused};

unsigned Bounded(const Json& value, const char* field, unsigned limit) {
  if (!value.is_number_integer() || value < 0 || value > limit)
    throw BadRequest(std::string("\"") + field + "\" must be a whole number from 0 to " + std::to_string(limit));
  return value.get<unsigned>();
}

}  // namespace

NetworkChange ReadNetworkChange(const Json& request) {
  if (!request.is_object() || request.empty())
    throw BadRequest("a network change is a JSON object: reason/active/number, noReplySeconds, failure/error or "
                     "latency");
  NetworkChange change;
  for (const auto& [field, value] : request.items()) {
    if (field == "reason") {
      change.reason = value.is_string() ? network::ReasonFromName(value.get<std::string>()) : std::nullopt;
      if (!change.reason) throw BadRequest("\"reason\" is allcalls, busy, noreply or notreachable");
    } else if (field == "active") {
      if (!value.is_boolean()) throw BadRequest("\"active\" is true or false");
      change.active = value.get<bool>();
    } else if (field == "number") {
      if (!value.is_string()) throw BadRequest("\"number\" is the text of a phone number");
      change.number = handset::Utf16(value.get<std::string>());
      if (change.number->size() > network::kMaxNumberLength)
        throw BadRequest("\"number\" has at most " + std::to_string(network::kMaxNumberLength) + " characters");
    } else if (field == "noReplySeconds") {
      change.noReplySeconds = Bounded(value, "noReplySeconds", kMaxNoReplySeconds);
    } else if (field == "failure") {
      for (auto failure : kFailures)
        if (value.is_string() && network::FailureName(failure) == value.get<std::string>()) change.failure = failure;
      if (!change.failure) throw BadRequest("\"failure\" is none, query, set, silent or refuse");
    } else if (field == "error") {
      if (!value.is_number_integer() || value < std::numeric_limits<std::int32_t>::min() ||
          value > std::numeric_limits<std::int32_t>::max())
        throw BadRequest("\"error\" is the error code a failed answer carries, a 32-bit whole number");
      change.error = value.get<std::int32_t>();
    } else if (field == "latency") {
      change.latencyMs = Bounded(value, "latency", kMaxLatencyMs);
    } else {
      throw BadRequest("unknown network field \"" + field + "\"");
    }
  }
  if (!change.reason && (request.contains("active") || change.number))
    throw BadRequest("\"active\" and \"number\" belong to a \"reason\"");
  if (change.reason && !request.contains("active")) throw BadRequest("a \"reason\" needs \"active\"");
  return change;
}

void ApplyNetworkChange(const NetworkChange& change) {
  if (change.reason) {
    network::ReasonState state = ReadStored(network::ReadState)[*change.reason];
    state.active = change.active;
    if (change.number) state.number = *change.number;
    if (state.active && state.number.empty())
      throw CommandError("forwarding " + std::string(network::ReasonName(*change.reason)) +
                         " needs a number to forward to");
    network::WriteReason(*change.reason, state);
  }
  if (change.noReplySeconds) network::WriteNoReplySeconds(*change.noReplySeconds);
  if (change.failure || change.error || change.latencyMs) {
    network::Behaviour behaviour = ReadStored(network::ReadBehaviour);
    if (change.failure) behaviour.failure = *change.failure;
    if (change.error) behaviour.error = *change.error;
    if (change.latencyMs) behaviour.latencyMs = *change.latencyMs;
    network::WriteBehaviour(behaviour);
  }
}

}  // namespace vlmhost::live
