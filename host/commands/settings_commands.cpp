// vlmhost phone get | value get [NAME] | value set NAME VALUE: the phone settings record and the
// single-value settings, each through its export.
#include <vlmrc/vlmrc.h>

#include <functional>
#include <map>

#include "commands/commands.h"
#include "commands/text_fields.h"

namespace vlmhost {
namespace {

Json DescribePhoneSettings(const PhoneSettings& record) {
  return {{"PartnerMaleIconPath", FieldText(record.PartnerMaleIconPath, MAX_PATH)},
          {"PartnerFemaleIconPath", FieldText(record.PartnerFemaleIconPath, MAX_PATH)},
          {"WaitingTone", FieldText(record.WaitingTone, MAX_PATH)},
          {"ColorKey", record.ColorKey},
          {"bShowHideAccum", record.bShowHideAccum},
          {"SetConferenceInvalidate", record.SetConferenceInvalidate},
          {"bSupport3rdCall", record.bSupport3rdCall},
          {"CallWaitingMsg", record.CallWaitingMsg}};
}

using Getter = std::function<Json(HostContext&)>;
using Setter = std::function<void(HostContext&, DWORD)>;

// Every getter by its export name, in export order.
const std::map<std::string, Getter>& Getters() {
  static const std::map<std::string, Getter> getters = {
      {"GetCFUSettings", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetCFUSettings)()); }},
      {"GetCSDValue",
       [](HostContext& c) {
         DWORD value = 0;
         VLMRC_EXPORT(c, GetCSDValue)(&value);
         return Json(value);
       }},
      {"GetCallSession", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetCallSession)()); }},
      {"GetIncomingCallLine", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetIncomingCallLine)()); }},
      {"GetLine2Ringtone",
       [](HostContext& c) {
         WCHAR ringtone[MAX_PATH] = {};
         VLMRC_EXPORT(c, GetLine2Ringtone)(ringtone);
         return Json(FieldText(ringtone, MAX_PATH));
       }},
      {"GetMultiLineSettings", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetMultiLineSettings)()); }},
      {"GetPDPSettings",
       [](HostContext& c) {
         PDPSettings record{};
         VLMRC_EXPORT(c, GetPDPSettings)(&record);
         return Json{{"CheckConnection", record.CheckConnection}, {"ShowPDPMsg", record.ShowPDPMsg}};
       }},
      {"GetPumpkeySettings", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetPumpkeySettings)()); }},
      {"GetSimStatus", [](HostContext& c) { return Json(VLMRC_EXPORT(c, GetSimStatus)()); }},
      {"GetVideoCFSettings",
       [](HostContext& c) {
         VideoCFSettings record{};
         VLMRC_EXPORT(c, GetVideoCFSettings)(&record);
         return Json{{"SupportCF", record.SupportCF}, {"QueryVideoCFAsInit", record.QueryVideoCFAsInit}};
       }},
      {"GetVideoCallForwardingStatus",
       [](HostContext& c) {
         DWORD simReady = 0;
         BOOL forwarding = VLMRC_EXPORT(c, GetVideoCallForwardingStatus)(&simReady);
         return Json{{"result", forwarding}, {"simReady", simReady}};
       }},
      {"IsPowerLow", [](HostContext& c) { return Json(VLMRC_EXPORT(c, IsPowerLow)()); }},
      {"fnGetBrightnessPos", [](HostContext& c) { return Json(VLMRC_EXPORT(c, fnGetBrightnessPos)()); }},
  };
  return getters;
}

const std::map<std::string, Setter>& Setters() {
  static const std::map<std::string, Setter> setters = {
      {"SetCSDValue", [](HostContext& c, DWORD v) { VLMRC_EXPORT(c, SetCSDValue)(v); }},
      {"SetCallSession", [](HostContext& c, DWORD v) { VLMRC_EXPORT(c, SetCallSession)(v); }},
      {"SetOrientation", [](HostContext& c, DWORD v) { VLMRC_EXPORT(c, SetOrientation)(v); }},
      {"SetVideoCallForwardingStatus",
       [](HostContext& c, DWORD v) { VLMRC_EXPORT(c, SetVideoCallForwardingStatus)(v); }},
      {"fnSetBrightnessPos", [](HostContext& c, DWORD v) { VLMRC_EXPORT(c, fnSetBrightnessPos)(v); }},
  };
  return setters;
}

template <class Map>
std::vector<std::string> Names(const Map& map) {
  std::vector<std::string> names;
  for (const auto& [name, _] : map) names.push_back(name);
  return names;
}

struct ValueOptions {
  std::string name;
  DWORD value = 0;
};

}  // namespace

void AddSettingsCommands(CLI::App& app, HostContext& context) {
  auto* phone = app.add_subcommand("phone", "The phone settings record (GetPhoneSettings)");
  phone->require_subcommand(1);
  phone->add_subcommand("get", "Read the record")->callback([&context] {
    PhoneSettings record{};
    VLMRC_EXPORT(context, GetPhoneSettings)(&record);
    context.Print(DescribePhoneSettings(record));
  });

  auto* value = app.add_subcommand("value", "The single-value settings, by export name");
  value->require_subcommand(1);
  auto options = std::make_shared<ValueOptions>();

  auto* get = value->add_subcommand("get", "Call one getter, or every getter when no name is given");
  get->add_option("NAME", options->name, "export name")->check(CLI::IsMember(Names(Getters())));
  get->callback([&context, options] {
    Json result = Json::object();
    for (const auto& [name, getter] : Getters())
      if (options->name.empty() || options->name == name) result[name] = getter(context);
    context.Print(result);
  });

  auto* set = value->add_subcommand("set", "Call one setter with a 32-bit value");
  set->add_option("NAME", options->name, "export name")->required()->check(CLI::IsMember(Names(Setters())));
  set->add_option("VALUE", options->value, "32-bit value")->required();
  set->callback([&context, options] {
    Setters().at(options->name)(context, options->value);
    context.Print({{options->name, options->value}});
  });
}

}  // namespace vlmhost
