// vlmhost stamp register | check | delete: the pending-call marks of the VT and SBMInt families.
#include <vlmrc/vlmrc.h>

#include "commands/commands.h"

namespace vlmhost {
namespace {

struct StampOptions {
  std::string family;
  DWORD value = 0;
  DWORD limit = 0;
};

}  // namespace

void AddStampCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("stamp", "Pending-call marks: a time stamp and a value, consumed by a check");
  group->require_subcommand(1);
  auto options = std::make_shared<StampOptions>();
  const std::vector<std::string> families = {"vt", "sbmint"};

  auto* reg = group->add_subcommand("register", "Leave a mark with the current time (VTRegister / SBMIntRegister)");
  reg->add_option("FAMILY", options->family, "vt or sbmint")->required()->check(CLI::IsMember(families));
  reg->add_option("VALUE", options->value, "32-bit value handed back by a fresh check")->required();
  reg->callback([&context, options] {
    if (options->family == "vt")
      VLMRC_EXPORT(context, VTRegister)(options->value);
    else
      VLMRC_EXPORT(context, SBMIntRegister)(options->value);
    context.Print({{"registered", options->family}, {"value", options->value}});
  });

  auto* check = group->add_subcommand(
      "check", "Whether a mark is at most LIMIT milliseconds old; clears it (vt-ex keeps the time stamp)");
  check->add_option("FAMILY", options->family, "vt, vt-ex or sbmint")
      ->required()
      ->check(CLI::IsMember({"vt", "vt-ex", "sbmint"}));
  check->add_option("LIMIT", options->limit, "limit in milliseconds")->required();
  check->callback([&context, options] {
    DWORD value = 0;
    BOOL fresh = options->family == "vt"      ? VLMRC_EXPORT(context, IsVTRegistered)(options->limit, &value)
                 : options->family == "vt-ex" ? VLMRC_EXPORT(context, IsVTRegisteredEx)(options->limit, &value)
                                              : VLMRC_EXPORT(context, IsSBMIntRegistered)(options->limit, &value);
    context.Print({{"fresh", fresh}, {"value", value}});
  });

  auto* remove = group->add_subcommand("delete", "Remove a family's mark (DeleteVTKeyValue / DeleteSBMIntKeyValue)");
  remove->add_option("FAMILY", options->family, "vt or sbmint")->required()->check(CLI::IsMember(families));
  remove->callback([&context, options] {
    if (options->family == "vt")
      VLMRC_EXPORT(context, DeleteVTKeyValue)();
    else
      VLMRC_EXPORT(context, DeleteSBMIntKeyValue)();
    context.Print({{"deleted", options->family}});
  });
}

}  // namespace vlmhost
