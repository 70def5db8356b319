// RegistryGetDWORD and RegistryGetString: one value read through the Win32 registry calls, the key
// opened for the read and closed again, the result as an HRESULT.
#include <regext.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/api_guard.h"

namespace {

// The key to read from: `key` itself, or its sub-key opened for this read.
class KeyForRead {
 public:
  KeyForRead(HKEY key, LPCWSTR subKey) {
    if (subKey == nullptr) {
      key_ = key;
      return;
    }
    error_ = RegOpenKeyExW(key, subKey, 0, 0, &key_);
    owned_ = error_ == ERROR_SUCCESS;
  }
  ~KeyForRead() {
    if (owned_) RegCloseKey(key_);
  }
  KeyForRead(const KeyForRead&) = delete;
  KeyForRead& operator=(const KeyForRead&) = delete;

  HKEY Get() const { return key_; }
  LONG Error() const { return error_; }

 private:
  HKEY key_ = nullptr;
  LONG error_ = ERROR_SUCCESS;
  bool owned_ = false;
};

// The value's type and bytes; the size is asked first, and asked again if the value grew between.
LONG QueryValue(HKEY key, LPCWSTR name, DWORD& type, std::vector<BYTE>& data) {
  for (;;) {
    DWORD size = 0;
    LONG error = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (error != ERROR_SUCCESS) return error;
    data.resize(size);
    error = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
    if (error == ERROR_MORE_DATA) continue;
    data.resize(size);
    return error;
  }
}

// Reads one value of the key (or of its subkey): S_OK, or the Win32 failure as an HRESULT.
HRESULT ReadValue(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD& type, std::vector<BYTE>& bytes) {
  KeyForRead source(key, subKey);
  if (source.Error() != ERROR_SUCCESS) return HRESULT_FROM_WIN32(source.Error());
  LONG error = QueryValue(source.Get(), valueName, type, bytes);
  return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error);
}

}  // namespace

extern "C" {

HRESULT RegistryGetDWORD(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD* data) {
  if (key == nullptr || data == nullptr) return E_INVALIDARG;
  return handset::core::Guarded<HRESULT>(E_OUTOFMEMORY, [&]() -> HRESULT {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    if (HRESULT read = ReadValue(key, subKey, valueName, type, bytes); FAILED(read)) return read;
    if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return E_DATATYPE_MISMATCH;
    *data = static_cast<DWORD>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
    return S_OK;
  });
}

HRESULT RegistryGetString(HKEY key, LPCWSTR subKey, LPCWSTR valueName, LPWSTR data, UINT capacity) {
  if (key == nullptr || data == nullptr) return E_INVALIDARG;
  return handset::core::Guarded<HRESULT>(E_OUTOFMEMORY, [&]() -> HRESULT {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    if (HRESULT read = ReadValue(key, subKey, valueName, type, bytes); FAILED(read)) return read;
    if (type != REG_SZ) return E_DATATYPE_MISMATCH;
    // The string ends at its first terminator, or with the data when it was stored without one.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
      if (unit == 0) break;
      text.push_back(unit);
    }
    if (text.size() >= capacity) return E_INSUFFICIENT_BUFFER;
    text.copy(data, text.size());
    data[text.size()] = 0;
    return S_OK;
  });
}

}  // extern "C"
