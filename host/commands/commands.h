// The command groups of vlmhost; each adds its subcommands to the application.
#pragma once

#include <vlmrc/vlmrc.h>

#include <CLI/CLI.hpp>

#include "host_context.h"

namespace vlmhost {

void AddStatusCommand(CLI::App& app, HostContext& context);
void AddVtOptionCommands(CLI::App& app, HostContext& context);
void AddSettingsCommands(CLI::App& app, HostContext& context);
void AddStampCommands(CLI::App& app, HostContext& context);
void AddDeviceCommands(CLI::App& app, HostContext& context);
void AddTemplateCommands(CLI::App& app, HostContext& context);
void AddRegistryCommands(CLI::App& app, HostContext& context);
void AddNetworkCommands(CLI::App& app, HostContext& context);
void AddOptionsCommands(CLI::App& app, HostContext& context);
void AddLiveCommand(CLI::App& app, HostContext& context);

// The VT option settings record as vlmhost prints it.
Json DescribeVTOptSetting(const VTOptSetting& record);

// The simulated network's forwarding state and how it answers, as vlmhost prints it; a
// CommandError when what is stored cannot be used.
Json DescribeNetwork();

// Builds the whole command line; the commands run from CLI11's callbacks after parsing.
void AddAllCommands(CLI::App& app, HostContext& context);

// Runs vlmhost with the given arguments; returns the process exit code.
int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vlmhost
