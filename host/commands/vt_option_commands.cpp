// vlmhost vtopt get | set: the VT option settings record, read and written through the exports.
#include <vlmrc/vlmrc.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

#include "commands/commands.h"
#include "commands/text_fields.h"
#include "handset/registry.h"
#include "handset/text.h"

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

struct RecordSetOptions {
  std::map<std::string, DWORD> values;
  std::optional<std::string> picture;
};

// The record is stored in this key, each field as the value of its name.
constexpr std::string_view kSettingsKey = "HKLM\\SoftWare\\Zarvo\\Phone";

// The longest PicFileName that reads back: the record's 260 units hold the terminator, and the
// library reads at most 259 units with it.
constexpr std::size_t kMaxReadablePicture = MAX_PATH - 2;

// Each field's value as stored (not as the record reads it back), null when it is not stored.
Json StoredFields() {
  Json stored = Json::object();
  for (const auto& field : kDwordFields) {
    auto value = handset::registry::ReadDword(kSettingsKey, field.name);
    stored[field.name] = value ? Json(*value) : Json();
  }
  auto picture = handset::registry::ReadString(kSettingsKey, "PicFileName");
  stored["PicFileName"] = picture ? Json(handset::Utf8(*picture)) : Json();
  return stored;
}

// The fields whose stored values differ, with the value before and after.
Json ChangedFields(const Json& before, const Json& after) {
  Json changed = Json::object();
  for (const auto& [name, value] : after.items())
    if (before[name] != value) changed[name] = Json{{"from", before[name]}, {"to", value}};
  return changed;
}

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

  auto options = std::make_shared<RecordSetOptions>();
  auto* set = group->add_subcommand(
      "set", "Change the given fields and store the record; the worker window is notified. As the host does, the "
             "record is read (GetVTOptSetting, which reads each flag, the b fields, back as 0 or 1) and stored whole "
             "(SetVTOptSetting): a flag stored as another value is stored as 1 again. The fields whose stored "
             "values changed are printed under `changed`, then the record as it reads back");
  for (const auto& field : kDwordFields) {
    set->add_option_function<DWORD>(
        std::string("--") + field.name, [options, name = field.name](DWORD value) { options->values[name] = value; },
        "32-bit value, stored as given");
  }
  set->add_option_function<std::string>(
      "--PicFileName", [options](const std::string& text) { options->picture = text; },
      "picture path, at most 258 UTF-16 units (the most that reads back)");
  set->callback([&context, options] {
    if (options->values.empty() && !options->picture) throw CommandError("vtopt set: give at least one field to change");
    WCHAR picture[MAX_PATH] = {};
    if (options->picture) {  // before any change
      if (std::size_t units = handset::Utf16(*options->picture).size(); units > kMaxReadablePicture)
        throw CommandError("PicFileName is " + std::to_string(units) + " units long; at most " +
                           std::to_string(kMaxReadablePicture) + " can be read back");
      SetFieldText(picture, MAX_PATH, *options->picture, "PicFileName");
    }

    context.Start();
    Json before = StoredFields();
    VTOptSetting record{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&record);
    for (const auto& field : kDwordFields)
      if (auto it = options->values.find(field.name); it != options->values.end()) field.set(record, it->second);
    if (options->picture) std::copy(std::begin(picture), std::end(picture), record.PicFileName);
    VLMRC_EXPORT(context, SetVTOptSetting)(&record);

    Json result = Json::object();
    result["changed"] = ChangedFields(before, StoredFields());
    VTOptSetting stored{};
    VLMRC_EXPORT(context, GetVTOptSetting)(&stored);
    result.update(DescribeVTOptSetting(stored));
    context.Print(std::move(result));
  });
}

}  // namespace vlmhost
