// Reading the simulated network's stored state or behaviour for a command: what cannot be read is
// a CommandError naming the value, not a crash of the command. And the limits of the times a
// command stores, for the `network` command and the live handset alike.
#pragma once

#include <stdexcept>
#include <string>

#include "commands/commands.h"

namespace vlmhost {

inline constexpr unsigned kMaxLatencyMs = 600000;
inline constexpr unsigned kMaxNoReplySeconds = 255;

template <class Read>
auto ReadStored(Read read) {
  try {
    return read();
  } catch (const std::runtime_error& error) {
    throw CommandError(std::string("the network's stored settings cannot be used: ") + error.what());
  }
}

}  // namespace vlmhost
