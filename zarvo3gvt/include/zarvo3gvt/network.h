// Control API of the simulated network behind Zarvo3GVT.dll: the call-forwarding state the network
// keeps per reason, and how it answers (failure mode, error code, latency). Only host programs,
// tests and benchmarks include this header; the library itself is reached by name through its four
// exports.
//
// Everything lives in the handset's registry, under "HKLM\Software\Zarvo3GVT" (Network\<reason> and
// Simulation), so it persists in the device folder with the registry file: written atomically, and
// a file that cannot be read is refused with its name and line and never overwritten. The library
// reads the behaviour when a request arrives and the state when the network answers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarvo3gvt::network {

// The forwarding reasons, in the order of the call-forwarding reasons 0 to 3 of the 3G standards.
enum class Reason : std::uint8_t { AllCalls, Busy, NoReply, NotReachable };
inline constexpr std::array<Reason, 4> kReasons = {Reason::AllCalls, Reason::Busy, Reason::NoReply,
                                                   Reason::NotReachable};

// "allcalls", "busy", "noreply", "notreachable".
std::string_view ReasonName(Reason reason);
std::optional<Reason> ReasonFromName(std::string_view name);

struct ReasonState {
  bool active = false;
  std::u16string number;  // at most kMaxNumberLength characters
  bool operator==(const ReasonState&) const = default;
};

struct State {
  std::array<ReasonState, 4> reasons{};  // indexed by Reason
  std::uint32_t noReplySeconds = 20;     // belongs to the no-reply reason
  ReasonState& operator[](Reason reason) { return reasons[static_cast<std::size_t>(reason)]; }
  const ReasonState& operator[](Reason reason) const { return reasons[static_cast<std::size_t>(reason)]; }
  bool operator==(const State&) const = default;
};

inline constexpr std::size_t kMaxNumberLength = 255;

// How the network answers a request.
enum class Failure : std::uint8_t {
  None,         // queries and changes succeed
  QueryFails,   // a query completes with CF_QUERY_FAIL and the error
  SetFails,     // a change completes with CF_SET_FAIL and the error, changing nothing
  Silent,       // the network never answers; only a cancel ends the request
  Refused,      // the library refuses the request at once: no completion follows
};

// "none", "query", "set", "silent", "refuse".
std::string_view FailureName(Failure failure);

struct Behaviour {
  Failure failure = Failure::None;
  std::int32_t error = 30;         // nError of a failed completion
  std::uint32_t latencyMs = 300;   // from the request to its completion
  bool operator==(const Behaviour&) const = default;
};

// The stored state and behaviour; defaults where nothing is stored. A stored value of the wrong type
// or size is refused: std::runtime_error naming the key and the value.
State ReadState();
Behaviour ReadBehaviour();

// Store one reason's state, the no-reply time, or the behaviour. A number longer than
// kMaxNumberLength throws std::invalid_argument.
void WriteReason(Reason reason, const ReasonState& state);
void WriteNoReplySeconds(std::uint32_t seconds);
void WriteBehaviour(const Behaviour& behaviour);

// What Zarvo3GVT_GetVersion answers.
inline constexpr std::int32_t kLibraryVersion = 0x0103;

// Results of the library's request functions: accepted (a completion follows unless cancelled),
// refused by the network at once, or not a usable request (no record, or no notify window).
inline constexpr std::int32_t kAccepted = 0;
inline constexpr std::int32_t kRefused = 1;
inline constexpr std::int32_t kInvalidRequest = 2;

// nError of a completion: the network's stored state could not be read, or a change asked for
// something the network does not take (an active reason without a number, a no-reply time other than
// 5, 10, ... 30 seconds, a number without its terminator).
inline constexpr std::int32_t kErrorStateUnreadable = -1;
inline constexpr std::int32_t kErrorInvalidChange = -2;

}  // namespace zarvo3gvt::network
