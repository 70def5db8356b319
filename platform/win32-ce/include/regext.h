// CE's shell registry readers (regext.h of the CE SDK): one value read by key path and name, with
// an HRESULT result; a failure leaves the caller's buffer as it was. Built on RegOpenKeyExW and
// RegQueryValueExW in win32_ce.cpp.
#pragma once

#include <windows.h>

#ifndef E_DATATYPE_MISMATCH
#define E_DATATYPE_MISMATCH HRESULT_FROM_WIN32(ERROR_DATATYPE_MISMATCH)
#endif
#ifndef E_INSUFFICIENT_BUFFER
#define E_INSUFFICIENT_BUFFER HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// A REG_DWORD; with a NULL sub-key it is read from `key` itself. S_OK; E_INVALIDARG for a NULL key
// or data pointer; E_DATATYPE_MISMATCH for a value of another type; otherwise the error of opening
// the key or querying the value as a FACILITY_WIN32 HRESULT.
HRESULT WINAPI RegistryGetDWORD(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD* data);

// A REG_SZ into `data`, `capacity` units with the terminator. The results of RegistryGetDWORD, and
// E_INSUFFICIENT_BUFFER when the string does not fit.
HRESULT WINAPI RegistryGetString(HKEY key, LPCWSTR subKey, LPCWSTR valueName, LPWSTR data, UINT capacity);

#ifdef __cplusplus
}  // extern "C"
#endif
