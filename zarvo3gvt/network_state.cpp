// The simulated network's state and behaviour, kept as registry values of the handset.
#include "zarvo3gvt/network.h"

#include <winreg.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "handset/registry.h"

namespace zarvo3gvt::network {
namespace {

constexpr std::string_view kNetworkKey = "HKLM\\Software\\Zarvo3GVT\\Network";
constexpr std::string_view kSimulationKey = "HKLM\\Software\\Zarvo3GVT\\Simulation";

struct ReasonNames {
  Reason reason;
  std::string_view name;     // as people type it
  std::string_view subkey;   // under the network key
};
constexpr ReasonNames kReasonNames[] = {
    {Reason::AllCalls, "allcalls", "AllCalls"},
    {Reason::Busy, "busy", "Busy"},
    {Reason::NoReply, "noreply", "NoReply"},
    {Reason::NotReachable, "notreachable", "NotReachable"},
};

constexpr std::pair<Failure, std::string_view> kFailureNames[] = {
    {Failure::None, "none"},     {Failure::QueryFails, "query"}, {Failure::SetFails, "set"},
    {Failure::Silent, "silent"}, {Failure::Refused, "refuse"},
};

std::string ReasonKey(Reason reason) {
  return std::string(kNetworkKey) + "\\" + std::string(kReasonNames[static_cast<std::size_t>(reason)].subkey);
}

[[noreturn]] void Refuse(std::string_view key, std::string_view value, std::string_view problem) {
  throw std::runtime_error(std::string(key) + "\\" + std::string(value) + ": " + std::string(problem));
}

std::optional<std::uint32_t> ReadDword(std::string_view key, std::string_view value) {
  auto stored = handset::registry::Read(key, value);
  if (!stored) return std::nullopt;
  if (stored->type != REG_DWORD || stored->data.size() != sizeof(std::uint32_t))
    Refuse(key, value, "expected a REG_DWORD of 4 bytes");
  std::uint32_t number = 0;
  std::memcpy(&number, stored->data.data(), sizeof(number));
  return number;
}

// The text of a REG_SZ up to its terminator (or its end when it has none).
std::optional<std::u16string> ReadText(std::string_view key, std::string_view value, std::size_t maxLength) {
  auto stored = handset::registry::Read(key, value);
  if (!stored) return std::nullopt;
  if (stored->type != REG_SZ || stored->data.size() % 2 != 0) Refuse(key, value, "expected a REG_SZ");
  std::u16string text(stored->data.size() / 2, u'\0');
  // An empty value (no bytes at all, not even the terminator) is an empty text.
  if (!stored->data.empty()) std::memcpy(text.data(), stored->data.data(), stored->data.size());
  if (auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
  if (text.size() > maxLength) Refuse(key, value, "longer than " + std::to_string(maxLength) + " characters");
  return text;
}

}  // namespace

std::string_view ReasonName(Reason reason) { return kReasonNames[static_cast<std::size_t>(reason)].name; }

std::optional<Reason> ReasonFromName(std::string_view name) {
  for (const auto& entry : kReasonNames)
    if (entry.name == name) return entry.reason;
  return std::nullopt;
}

std::string_view FailureName(Failure failure) {
  for (const auto& [value, name] : kFailureNames)
    if (value == failure) return name;
  return "none";
}

State ReadState() {
  State state;
  for (Reason reason : kReasons) {
    std::string key = ReasonKey(reason);
    if (auto active = ReadDword(key, "Active")) state[reason].active = *active != 0;
    if (auto number = ReadText(key, "Number", kMaxNumberLength)) state[reason].number = *number;
  }
  if (auto seconds = ReadDword(ReasonKey(Reason::NoReply), "NoReplyTime")) state.noReplySeconds = *seconds;
  return state;
}

Behaviour ReadBehaviour() {
  Behaviour behaviour;
  if (auto name = ReadText(kSimulationKey, "Failure", 16)) {
    auto known = std::find_if(std::begin(kFailureNames), std::end(kFailureNames), [&](const auto& entry) {
      return std::u16string(entry.second.begin(), entry.second.end()) == *name;
    });
    if (known == std::end(kFailureNames)) Refuse(kSimulationKey, "Failure", "not one of none, query, set, silent, refuse");
    behaviour.failure = known->first;
  }
  if (auto error = ReadDword(kSimulationKey, "Error")) behaviour.error = static_cast<std::int32_t>(*error);
  if (auto latency = ReadDword(kSimulationKey, "Latency")) behaviour.latencyMs = *latency;
  return behaviour;
}

void WriteReason(Reason reason, const ReasonState& state) {
  if (state.number.size() > kMaxNumberLength)
    throw std::invalid_argument("a forwarding number has at most " + std::to_string(kMaxNumberLength) + " characters");
  std::string key = ReasonKey(reason);
  handset::registry::WriteDword(key, "Active", state.active ? 1 : 0);
  handset::registry::WriteString(key, "Number", state.number);
}

void WriteNoReplySeconds(std::uint32_t seconds) {
  handset::registry::WriteDword(ReasonKey(Reason::NoReply), "NoReplyTime", seconds);
}

void WriteBehaviour(const Behaviour& behaviour) {
  std::string_view name = FailureName(behaviour.failure);
  handset::registry::WriteString(kSimulationKey, "Failure", std::u16string(name.begin(), name.end()));
  handset::registry::WriteDword(kSimulationKey, "Error", static_cast<std::uint32_t>(behaviour.error));
  handset::registry::WriteDword(kSimulationKey, "Latency", behaviour.latencyMs);
}

}  // namespace zarvo3gvt::network
