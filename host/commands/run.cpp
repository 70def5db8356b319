#include <iostream>
#include <string>

#include "commands/argument_checks.h"
#include "commands/commands.h"
#include "commands/language_option.h"
#include "descriptor_output.h"

namespace vlmhost {

void AddAllCommands(CLI::App& app, HostContext& context) {
  AddStatusCommand(app, context);
  AddVtOptionCommands(app, context);
  AddSettingsCommands(app, context);
  AddStampCommands(app, context);
  AddDeviceCommands(app, context);
  AddTemplateCommands(app, context);
  AddRegistryCommands(app, context);
  AddNetworkCommands(app, context);
  AddOptionsCommands(app, context);
  AddLiveCommand(app, context);
}

namespace {

// Whether everything the command printed reached its destination (a full disk, a closed pipe);
// a person or a script reading the output would otherwise take a part of it for the whole.
bool OutputWritten(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return true;
  std::string reason = OutputErrorText(out.rdbuf());
  err << "vlmhost: cannot write the output" << (reason.empty() ? "" : ": " + reason) << "\n";
  return false;
}

int RunCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  HostContext context(out, err);
  CLI::App app{"vlmhost: loads vlmrc.dll on the emulated handset and does what the host phone application does"};
  app.set_help_all_flag("--help-all", "Show the help of every command");
  app.add_option("--device", context.deviceFolder,
                 "Device folder: the handset's files and registry (kept between runs)")
      ->capture_default_str()
      ->check(kNonEmptyPath);
  app.add_flag("--json", context.json, "Print results as JSON");
  app.add_option("--without", context.withoutModules,
                 "Run on a device that lacks this module, e.g. Zarvo3GVT.dll (repeatable)")
      ->type_name("FILE.dll");
  AddLanguageOption(app, context);
  app.require_subcommand(1);
  AddAllCommands(app, context);
  AddArgumentChecks(app);

  try {
    app.parse(argc, argv);
    // The exit status says whether what the command changed is on the device.
    context.Finish();
  } catch (const CLI::ParseError& error) {
    return app.exit(error, out, err);
  } catch (const std::exception& error) {
    err << "vlmhost: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  int code = RunCommand(argc, argv, out, err);
  return OutputWritten(out, err) ? code : (code != 0 ? code : 1);
}

}  // namespace vlmhost
