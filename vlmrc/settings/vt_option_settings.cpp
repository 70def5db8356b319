// The VT option settings: one record in the key "Phone" under "SoftWare\Zarvo", plus the current
// display rotation, exchanged with the host and the options screen.
#include <vlmrc/vlmrc.h>

#include "settings/registry_conventions.h"

#define ROTATION_KEY TEXT("System\\GDI\\Rotation")

extern "C" void WINAPI GetVTOptSetting(VTOptSetting* settings) {
  // A null record from the host would otherwise crash the host process.
  if (settings == NULL) return;

  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return;
  if (phone != NULL) {
    settings->bShowCallTime = ReadFlagValue(phone, TEXT("bShowCallTime"), 0);
    settings->bShowPhoneNum_Name = ReadFlagValue(phone, TEXT("bShowPhoneNum_Name"), 0);
    settings->bMirrorCamera = ReadFlagValue(phone, TEXT("bMirrorCamera"), 1);
    settings->bAcceptVideoCallMuteVideo = ReadFlagValue(phone, TEXT("bAcceptVideoCallMuteVideo"), 1);
    settings->bMakeVideoCallMuteVideo = ReadFlagValue(phone, TEXT("bMakeVideoCallMuteVideo"), 1);
    settings->MuteVideo = ReadRawValue(phone, TEXT("MuteVideo"), 0);
    settings->ViewMode = ReadRawValue(phone, TEXT("ViewMode"), 0);
    ReadStringValue(phone, TEXT("PicFileName"), settings->PicFileName, TEXT(""));
    CloseSettingsKeys(phone, NULL);
  }

  // The rotation key belongs to the display driver: it is only ever opened, never created.
  HKEY rotation = OpenSettingsKey(HKEY_LOCAL_MACHINE, ROTATION_KEY);
  if (rotation != NULL) {
    settings->Angle = ReadRawValue(rotation, TEXT("Angle"), 0);
    CloseSettingsKeys(rotation, NULL);
  }

  CloseSettingsKeys(NULL, zarvo);
}

extern "C" void WINAPI SetVTOptSetting(const VTOptSetting* settings) {
  if (settings == NULL) return;

  HKEY zarvo;
  HKEY phone = CreateZarvoSubkey(ZARVO_PHONE_SUBKEY, &zarvo);
  if (zarvo == NULL) return;
  if (phone == NULL) {
    CloseSettingsKeys(NULL, zarvo);
    return;
  }

  // Stored exactly as the caller passed them: normalising is the reader's business.
  WriteDwordValue(phone, TEXT("bShowCallTime"), (DWORD)settings->bShowCallTime);
  WriteDwordValue(phone, TEXT("bShowPhoneNum_Name"), (DWORD)settings->bShowPhoneNum_Name);
  WriteDwordValue(phone, TEXT("bMirrorCamera"), (DWORD)settings->bMirrorCamera);
  WriteDwordValue(phone, TEXT("bAcceptVideoCallMuteVideo"), (DWORD)settings->bAcceptVideoCallMuteVideo);
  WriteDwordValue(phone, TEXT("bMakeVideoCallMuteVideo"), (DWORD)settings->bMakeVideoCallMuteVideo);
  WriteDwordValue(phone, TEXT("MuteVideo"), settings->MuteVideo);
  WriteDwordValue(phone, TEXT("ViewMode"), settings->ViewMode);
  WriteStringValue(phone, TEXT("PicFileName"), settings->PicFileName);
  CloseSettingsKeys(phone, zarvo);

  // The host's worker window learns of the change only after both keys are closed.
  HWND worker = FindWindowW(VLMRC_WORKER_CLASS, VLMRC_WORKER_TITLE);
  if (worker != NULL) SendMessageW(worker, WM_VTOPT_CHANGED, 0, 0);
}
