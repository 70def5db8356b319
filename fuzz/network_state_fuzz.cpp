// Any values where the simulated network keeps its state and behaviour (the device's registry, as
// a person may edit its file): read back as a state within its limits, or refused with the value
// named, never a crash.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "handset/registry.h"
#include "zarvo3gvt/network.h"

namespace {

struct Place {
  std::string_view key;
  std::string_view value;
};
constexpr Place kPlaces[] = {
    {"HKLM\\Software\\Zarvo3GVT\\Network\\AllCalls", "Active"},
    {"HKLM\\Software\\Zarvo3GVT\\Network\\Busy", "Number"},
    {"HKLM\\Software\\Zarvo3GVT\\Network\\NoReply", "NoReplyTime"},
    {"HKLM\\Software\\Zarvo3GVT\\Network\\NotReachable", "Number"},
    {"HKLM\\Software\\Zarvo3GVT\\Simulation", "Failure"},
    {"HKLM\\Software\\Zarvo3GVT\\Simulation", "Error"},
    {"HKLM\\Software\\Zarvo3GVT\\Simulation", "Latency"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace registry = handset::registry;
  namespace network = zarvo3gvt::network;
  registry::DeleteKey("HKLM\\Software\\Zarvo3GVT");
  // Records of three bytes (which value, its type, the length of its data) and the data.
  std::span<const std::uint8_t> in(data, size);
  while (in.size() >= 3) {
    const Place& place = kPlaces[in[0] % std::size(kPlaces)];
    std::uint32_t type = in[1] % 12;
    std::size_t length = std::min<std::size_t>(in[2], in.size() - 3);
    registry::Write(place.key, place.value, type, in.subspan(3, length));
    in = in.subspan(3 + length);
  }
  try {
    network::State state = network::ReadState();
    for (const auto& reason : state.reasons)
      if (reason.number.size() > network::kMaxNumberLength) __builtin_trap();
  } catch (const std::runtime_error&) {
  }
  try {
    network::ReadBehaviour();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
