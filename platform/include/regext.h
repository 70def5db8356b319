// The shell library's registry readers: one value read by key path and name, with an HRESULT result.
// A failure leaves the caller's buffer as it was.
#pragma once

#include "windef.h"
#include "winerror.h"

#define E_DATATYPE_MISMATCH HRESULT_FROM_WIN32(ERROR_DATATYPE_MISMATCH)
#define E_INSUFFICIENT_BUFFER HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)

extern "C" {

// Reads a REG_DWORD. With a NULL sub-key the value is read from `key` itself. S_OK; E_INVALIDARG for
// a NULL key or data pointer; E_DATATYPE_MISMATCH for a value of another type; otherwise the error of
// opening the key or querying the value as a FACILITY_WIN32 HRESULT.
HRESULT RegistryGetDWORD(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD* data);

// Reads a REG_SZ into `data`, which holds `capacity` units with the terminator. The results of
// RegistryGetDWORD, and E_INSUFFICIENT_BUFFER when the string does not fit.
HRESULT RegistryGetString(HKEY key, LPCWSTR subKey, LPCWSTR valueName, LPWSTR data, UINT capacity);

}  // extern "C"
