// The 33 exports of vlmrc.dll with the types a host declares them with: the platform's standard
// calling convention (WINAPI), 32-bit integers and BOOLs, the caller's buffers. They are written
// here apart from <vlmrc/vlmrc.h>, so that a declaration there that loses WINAPI or changes a
// parameter stops the tests from compiling (on 32-bit Windows, where the calling convention is part
// of a function's type; on the handset WINAPI is empty), and the tests reach every export through
// these types, as such a host does.
#pragma once

#include <windows.h>

#include <type_traits>

#include <vlmrc/vlmrc.h>

// X(name, result, parameters), in the order of the ordinals.
#define VLMRC_EXPORT_TYPES(X)                                 \
  X(AvoidSystemIdle, void, (HWND, UINT, UINT_PTR, DWORD))     \
  X(CreateVTOpt, int, (HWND))                                 \
  X(DeleteSBMIntKeyValue, void, (void))                       \
  X(DeleteVTKeyValue, void, (void))                           \
  X(GetBattery, BOOL, (DWORD*, DWORD*))                       \
  X(GetCFUSettings, DWORD, (void))                            \
  X(GetCSDValue, void, (DWORD*))                              \
  X(GetCallSession, DWORD, (void))                            \
  X(GetIncomingCallLine, DWORD, (void))                       \
  X(GetLine2Ringtone, void, (WCHAR*))                         \
  X(GetMultiLineSettings, BOOL, (void))                       \
  X(GetPDPSettings, void, (PDPSettings*))                     \
  X(GetPhoneSettings, void, (PhoneSettings*))                 \
  X(GetPumpkeySettings, BOOL, (void))                         \
  X(GetSimStatus, BOOL, (void))                               \
  X(GetVTOptSetting, void, (VTOptSetting*))                   \
  X(GetVideoCFSettings, void, (VideoCFSettings*))             \
  X(GetVideoCallForwardingStatus, BOOL, (DWORD*))             \
  X(IsPowerLow, BOOL, (void))                                 \
  X(IsSBMIntRegistered, BOOL, (DWORD, DWORD*))                \
  X(IsVTRegistered, BOOL, (DWORD, DWORD*))                    \
  X(IsVTRegisteredEx, BOOL, (DWORD, DWORD*))                  \
  X(SBMIntRegister, void, (DWORD))                            \
  X(SetCSDValue, void, (DWORD))                               \
  X(SetCallSession, void, (DWORD))                            \
  X(SetOrientation, void, (DWORD))                            \
  X(SetVTOptSetting, void, (const VTOptSetting*))             \
  X(SetVideoCallForwardingStatus, void, (DWORD))              \
  X(TurnOffLED, void, (void))                                 \
  X(TurnOnLED, HANDLE, (void))                                \
  X(VTRegister, void, (DWORD))                                \
  X(fnGetBrightnessPos, DWORD, (void))                        \
  X(fnSetBrightnessPos, void, (DWORD))

namespace vlmrc_exports {

#define VLMRC_DECLARE_EXPORT_TYPE(name, result, parameters)                 \
  typedef result(WINAPI name) parameters;                                   \
  static_assert(std::is_same_v<name, decltype(::name)>,                     \
                "<vlmrc/vlmrc.h> declares " #name " unlike a host does");
VLMRC_EXPORT_TYPES(VLMRC_DECLARE_EXPORT_TYPE)
#undef VLMRC_DECLARE_EXPORT_TYPE

// The names of the table, in its order.
#define VLMRC_EXPORT_NAME(name, result, parameters) #name,
inline constexpr const char* kNames[] = {VLMRC_EXPORT_TYPES(VLMRC_EXPORT_NAME)};
#undef VLMRC_EXPORT_NAME

}  // namespace vlmrc_exports
