// vlmhost network show | set REASON on|off [NUMBER] [--no-reply SECONDS] | fail query|set [ERROR] |
// silent | refuse | ok | latency MS: the simulated network behind Zarvo3GVT.dll, its call-forwarding
// state and how it answers. Every command prints the network as it is afterwards.
#include <memory>
#include <optional>
#include <string>

#include "commands/commands.h"
#include "commands/text_fields.h"
#include "commands/stored_network.h"
#include "zarvo3gvt/network.h"

namespace vlmhost {
namespace {

namespace network = zarvo3gvt::network;

std::string NumberText(const std::u16string& number) { return FieldText(number.c_str(), number.size() + 1); }

void PrintNetwork(HostContext& context) { context.Print(DescribeNetwork()); }

// Changes the behaviour as `change` says, starting from what is stored.
template <class Change>
void ChangeBehaviour(HostContext& context, Change change) {
  context.Start();
  network::Behaviour behaviour = ReadStored(network::ReadBehaviour);
  change(behaviour);
  network::WriteBehaviour(behaviour);
  PrintNetwork(context);
}

struct ReasonSetOptions {
  std::string reason;
  std::string onOff;
  std::optional<std::string> number;
  std::optional<unsigned> noReplySeconds;
};

void SetReason(HostContext& context, const ReasonSetOptions& options) {
  auto reason = network::ReasonFromName(options.reason);
  if (!reason) throw CommandError("unknown reason '" + options.reason + "' (allcalls, busy, noreply, notreachable)");
  if (options.noReplySeconds && *reason != network::Reason::NoReply)
    throw CommandError("--no-reply belongs to the reason noreply");
  context.Start();
  network::State state = ReadStored(network::ReadState);
  network::ReasonState changed = state[*reason];
  changed.active = options.onOff == "on";
  if (options.number) {
    WCHAR number[network::kMaxNumberLength + 1];
    SetFieldText(number, network::kMaxNumberLength + 1, *options.number, "NUMBER");
    changed.number = number;
  }
  if (changed.active && changed.number.empty())
    throw CommandError("forwarding " + options.reason + " needs a NUMBER to forward to");
  network::WriteReason(*reason, changed);
  if (options.noReplySeconds) network::WriteNoReplySeconds(*options.noReplySeconds);
  PrintNetwork(context);
}

}  // namespace

Json DescribeNetwork() {
  network::State state = ReadStored(network::ReadState);
  network::Behaviour behaviour = ReadStored(network::ReadBehaviour);
  Json reasons;
  for (network::Reason reason : network::kReasons)
    reasons[std::string(network::ReasonName(reason))] = {{"active", state[reason].active},
                                                         {"number", NumberText(state[reason].number)}};
  return {{"reasons", reasons},
          {"no-reply seconds", state.noReplySeconds},
          {"failure", network::FailureName(behaviour.failure)},
          {"error", behaviour.error},
          {"latency ms", behaviour.latencyMs}};
}

void AddNetworkCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("network", "Show or change the simulated network behind Zarvo3GVT.dll");
  group->require_subcommand(1);

  group->add_subcommand("show", "Show the forwarding state per reason and how the network answers")
      ->callback([&context] {
        context.Start();
        PrintNetwork(context);
      });

  auto set = std::make_shared<ReasonSetOptions>();
  auto* setCommand = group->add_subcommand("set", "Set one reason's forwarding in the network");
  setCommand->add_option("REASON", set->reason, "allcalls, busy, noreply or notreachable")->required();
  setCommand->add_option("STATE", set->onOff, "on or off")->required()->check(CLI::IsMember({"on", "off"}));
  setCommand->add_option("NUMBER", set->number, "the number calls are forwarded to (kept when not given)");
  setCommand->add_option("--no-reply", set->noReplySeconds, "no-reply time in seconds (reason noreply)")
      ->check(CLI::Range(0u, kMaxNoReplySeconds));
  setCommand->callback([&context, set] { SetReason(context, *set); });

  auto failKind = std::make_shared<std::string>();
  auto failError = std::make_shared<std::optional<std::int32_t>>();
  auto* fail = group->add_subcommand("fail", "Make queries or changes fail with an error code");
  fail->add_option("KIND", *failKind, "query or set")->required()->check(CLI::IsMember({"query", "set"}));
  fail->add_option("ERROR", *failError, "the error code the completion carries (default: the one stored)");
  fail->callback([&context, failKind, failError] {
    ChangeBehaviour(context, [&](network::Behaviour& behaviour) {
      behaviour.failure = *failKind == "query" ? network::Failure::QueryFails : network::Failure::SetFails;
      if (*failError) behaviour.error = **failError;
    });
  });

  group->add_subcommand("silent", "Let the network never answer; only a cancel ends a request")->callback([&context] {
    ChangeBehaviour(context, [](network::Behaviour& behaviour) { behaviour.failure = network::Failure::Silent; });
  });
  group->add_subcommand("refuse", "Let the library refuse every request at once")->callback([&context] {
    ChangeBehaviour(context, [](network::Behaviour& behaviour) { behaviour.failure = network::Failure::Refused; });
  });
  group->add_subcommand("ok", "Let queries and changes succeed again")->callback([&context] {
    ChangeBehaviour(context, [](network::Behaviour& behaviour) { behaviour.failure = network::Failure::None; });
  });

  auto latency = std::make_shared<unsigned>(0);
  auto* latencyCommand = group->add_subcommand("latency", "Set the time from a request to its answer");
  latencyCommand->add_option("MS", *latency, "milliseconds")->required()->check(CLI::Range(0u, kMaxLatencyMs));
  latencyCommand->callback([&context, latency] {
    ChangeBehaviour(context, [&](network::Behaviour& behaviour) { behaviour.latencyMs = *latency; });
  });
}

}  // namespace vlmhost
