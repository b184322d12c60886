// Win32 side of the registry reads.
#include "platform/registry.h"

#include "platform/win32/unique_handle.h"

namespace os {

namespace {

// Chosen by the build: each launcher's second pass reads the view the other one sees.
constexpr REGSAM kOtherViewAccess = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// Registry key names are at most 255 characters.
constexpr DWORD kMaxKeyNameLength = 256;

RegistryKey OpenKey(RegistryHive hive, const Text& path, RegistryView view) {
  REGSAM access = KEY_READ | (view == RegistryView::Other ? kOtherViewAccess : 0);
  HKEY root = hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  RegistryKey key;
  // A key that cannot be opened is left null, so the owner stays empty.
  if (const Advapi32* api = Advapi()) {
    api->RegOpenKeyExW(root, Wide(path), 0, access, key.Put());
  }
  return key;
}

}  // namespace

struct RegistryReader::Handle {
  RegistryKey key;
};

RegistryReader::RegistryReader(RegistryHive hive, const Text& path, RegistryView view)
    : handle_(new Handle{OpenKey(hive, path, view)}) {}

RegistryReader::~RegistryReader() = default;

bool RegistryReader::IsOpen() const { return handle_->key.IsValid(); }

TextList RegistryReader::SubKeyNames() const {
  TextList names;
  if (!handle_->key) return names;
  // An open key means the registry functions are bound.
  const Advapi32& api = *Advapi();
  for (DWORD index = 0;; ++index) {
    wchar_t name[kMaxKeyNameLength];
    DWORD length = kMaxKeyNameLength;
    if (api.RegEnumKeyExW(handle_->key.Get(), index, name, &length, nullptr, nullptr,
                          nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.push_back(FromWide(name, length));
  }
  return names;
}

bool RegistryReader::ValueBytes(const Text& name, std::vector<uint8_t>& bytes) const {
  HKEY key = handle_->key.Get();
  if (!key) return false;
  const Advapi32& api = *Advapi();
  DWORD size = 0;
  if (api.RegQueryValueExW(key, Wide(name), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return false;
  }
  // Twice the announced size still holds a value that grows between the two calls.
  bytes.assign(static_cast<size_t>(size) * 2, 0);
  DWORD read = static_cast<DWORD>(bytes.size());
  if (api.RegQueryValueExW(key, Wide(name), nullptr, nullptr, bytes.data(), &read) !=
          ERROR_SUCCESS ||
      read == 0) {
    return false;
  }
  bytes.resize(read);
  return true;
}

bool RegistryReader::ValueNumber(const Text& name, uint32_t& number) const {
  HKEY key = handle_->key.Get();
  if (!key) return false;
  const Advapi32& api = *Advapi();
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (api.RegQueryValueExW(key, Wide(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return false;
  }
  number = value;
  return true;
}

}  // namespace os
