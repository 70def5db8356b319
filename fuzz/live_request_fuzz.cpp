// Any body of a live handset's POST /input or POST /network, as the server reads it: an action or
// a change within its limits, or a refusal with a 4xx status and what was wrong named, never a
// crash. The first byte picks the route; the rest is the body.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "commands/stored_network.h"
#include "handset/screen.h"
#include "live/input_action.h"
#include "live/network_change.h"
#include "live/request_error.h"

namespace {

namespace live = vlmhost::live;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

void ReadInput(const nlohmann::json& body) {
  auto action = live::ReadInputAction(body);
  if (auto* pointer = std::get_if<live::PointerAction>(&action)) {
    auto size = handset::screen::CurrentSize();
    Check(pointer->point.x >= 0 && pointer->point.y >= 0 && pointer->point.x < size.width &&
          pointer->point.y < size.height);
  }
  if (auto* softKey = std::get_if<live::SoftKeyAction>(&action)) Check(softKey->number == 1 || softKey->number == 2);
  if (auto* typed = std::get_if<live::TypeAction>(&action)) Check(!typed->text.empty());
}

void ReadNetwork(const nlohmann::json& body) {
  auto change = live::ReadNetworkChange(body);
  Check(!change.noReplySeconds || *change.noReplySeconds <= vlmhost::kMaxNoReplySeconds);
  Check(!change.latencyMs || *change.latencyMs <= vlmhost::kMaxLatencyMs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  // As the server takes a body: JSON or a refusal, never an exception out of the parser.
  auto body = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (body.is_discarded()) return 0;
  try {
    if (data[0] % 2 == 0)
      ReadInput(body);
    else
      ReadNetwork(body);
  } catch (const live::RequestError& refused) {
    Check(refused.Status() >= 400 && refused.Status() < 500 && *refused.what() != '\0');
  }
  return 0;
}
