// The call-screen settings: three picture and tone paths and a few flags from the key "Phone", and
// the video renderer's colour key from the key "DirectShow", both under "SoftWare\Zarvo".
#include <vlmrc/vlmrc.h>

#include "settings/registry_conventions.h"

#define DEFAULT_MALE_PICTURE TEXT("\\windows\\predefined_image_male.png")
#define DEFAULT_FEMALE_PICTURE TEXT("\\windows\\predefined_image_female.png")

extern "C" void WINAPI GetPhoneSettings(PhoneSettings* settings) {
  if (settings == NULL) return;

  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return;
  if (phone != NULL) {
    settings->bShowHideAccum = ReadFlagValue(phone, TEXT("bShowHideAccum"), 0);
    settings->CallWaitingMsg = ReadRawValue(phone, TEXT("CallWaitingMsg"), 1);
    settings->bSupport3rdCall = ReadFlagValue(phone, TEXT("bSupport3rdCall"), 0);
    ReadStringValue(phone, TEXT("PartnerMaleIconPath"), settings->PartnerMaleIconPath, DEFAULT_MALE_PICTURE);
    ReadStringValue(phone, TEXT("PartnerFemaleIconPath"), settings->PartnerFemaleIconPath, DEFAULT_FEMALE_PICTURE);
    ReadStringValue(phone, TEXT("WaitingTone"), settings->WaitingTone, TEXT(""));
    // Only an exact 1 counts here, unlike the other flags.
    settings->SetConferenceInvalidate = ReadRawValue(phone, TEXT("SetConferenceInvalidate"), 0) == 1 ? 1 : 0;
    CloseSettingsKeys(phone, NULL);
  }

  HKEY directShow = CreateSettingsKey(zarvo, TEXT("DirectShow"));
  if (directShow != NULL) {
    settings->ColorKey = ReadRawValue(directShow, TEXT("ColorKey"), 0);
    CloseSettingsKeys(directShow, NULL);
  }

  CloseSettingsKeys(NULL, zarvo);
}
