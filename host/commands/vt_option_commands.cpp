// vlmhost vtopt get | set: the VT option settings record, read and written through the exports.
#include <vlmrc/vlmrc.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

#include "commands/commands.h"
#include "commands/text_fields.h"

namespace vlmhost {
namespace {

// A 32-bit field of the record, by name.
struct DwordField {
  const char* name;
  DWORD (*get)(const VTOptSetting&);
  void (*set)(VTOptSetting&, DWORD);
};

#define VTOPT_FIELD(field)                                                     \
  DwordField {                                                                 \
    #field, [](const VTOptSetting& r) { return static_cast<DWORD>(r.field); }, \
        [](VTOptSetting& r, DWORD v) { r.field = static_cast<decltype(r.field)>(v); } \
  }

// The 32-bit fields in record order.
const DwordField kDwordFields[] = {
    VTOPT_FIELD(bShowCallTime),           VTOPT_FIELD(bShowPhoneNum_Name), VTOPT_FIELD(bMirrorCamera),
    VTOPT_FIELD(bAcceptVideoCallMuteVideo), VTOPT_FIELD(bMakeVideoCallMuteVideo), VTOPT_FIELD(MuteVideo),
    VTOPT_FIELD(ViewMode),
};

struct SetOptions {
  std::map<std::string, DWORD> values;
  std::optional<std::string> picture;
};

}  // namespace

Json DescribeVTOptSetting(const VTOptSetting& record) {
  Json result = Json::object();
  for (const auto& field : kDwordFields) result[field.name] = field.get(record);
  result["PicFileName"] = FieldText(record.PicFileName, MAX_PATH);
  result["Angle"] = record.Angle;
  return result;
}

void AddVtOptionCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("vtopt", "The VT option settings record (GetVTOptSetting / SetVTOptSetting)");
  group->require_subcommand(1);

  group->add_subcommand("get", "Read the record, with the current display rotation")->callback([&context] {
    VTOptSetting record{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&record);
    context.Print(DescribeVTOptSetting(record));
  });

  auto options = std::make_shared<SetOptions>();
  auto* set = group->add_subcommand(
      "set", "Change the given fields (the others keep their stored values) and store the record; "
             "the worker window is notified");
  for (const auto& field : kDwordFields) {
    set->add_option_function<DWORD>(
        std::string("--") + field.name, [options, name = field.name](DWORD value) { options->values[name] = value; },
        "32-bit value, stored as given");
  }
  set->add_option_function<std::string>(
      "--PicFileName", [options](const std::string& text) { options->picture = text; },
      "picture path (at most 259 UTF-16 units; 258 read back)");
  set->callback([&context, options] {
    if (options->values.empty() && !options->picture) throw CommandError("vtopt set: give at least one field to change");
    WCHAR picture[MAX_PATH] = {};
    if (options->picture) SetFieldText(picture, MAX_PATH, *options->picture, "PicFileName");  // before any change

    VTOptSetting record{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&record);
    for (const auto& field : kDwordFields)
      if (auto it = options->values.find(field.name); it != options->values.end()) field.set(record, it->second);
    if (options->picture) std::copy(std::begin(picture), std::end(picture), record.PicFileName);
    VLMRC_EXPORT(context, SetVTOptSetting)(&record);

    VTOptSetting stored{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&stored);
    context.Print(DescribeVTOptSetting(stored));
  });
}

}  // namespace vlmhost
