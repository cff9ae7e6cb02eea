// The stored settings on Windows: named values under one registry key of the current user.
// HKEY_CURRENT_USER, not HKEY_LOCAL_MACHINE: writing there needs administrator rights on
// current Windows, and without them nothing would be kept between runs.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "transport/StoredSettings.h"
#include "transport/StoredValueText.h"

namespace vistrel {

namespace {

constexpr const char* kKeyPath = "Software\\Orvex\\QX-70500-VLNK Camera Vistrel";
// Another key for this run (tests, parallel set-ups): a path below HKEY_CURRENT_USER.
constexpr const char* kKeyEnvironment = "VISTREL_REGISTRY_KEY";
constexpr DWORD kValueBytes = 512;
// Texts are folder paths: far longer values are not this program's.
constexpr DWORD kMaxTextBytes = 64 * 1024;

std::string KeyPath() {
  const char* key = std::getenv(kKeyEnvironment);
  return key && *key ? std::string(key) : std::string(kKeyPath);
}

// The key, opened for `access` (and created first for writing); closed with the object.
class Key {
 public:
  explicit Key(REGSAM access) {
    const std::string path = KeyPath();
    const LSTATUS status =
        access == KEY_READ
            ? RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_)
            : RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              access, nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~Key() {
    if (key_)
      RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The bytes of a value up to its first zero, and its type; nullopt when it cannot be read.
std::optional<std::string> QueryValue(const char* name, DWORD& type, DWORD& dword) {
  Key key(KEY_READ);
  if (!key.Get())
    return std::nullopt;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size > kMaxTextBytes)
    return std::nullopt;
  std::vector<char> bytes(std::max<DWORD>(size, kValueBytes) + 1, '\0');
  size = DWORD(bytes.size() - 1);
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    std::memcpy(&dword, bytes.data(), sizeof dword);
    return std::string();
  }
  return std::string(bytes.data(), strnlen(bytes.data(), size));
}

bool SetNumberIn(HKEY key, const char* name, uint32_t value) {
  const DWORD dword = value;
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                        sizeof dword) == ERROR_SUCCESS;
}

}  // namespace

StoredSettings::StoredSettings(std::string folder, ShutdownMarker marker)
    : folder_(std::move(folder)), tracksShutdown_(marker == ShutdownMarker::Track) {
  previousShutdownStatus_ = GetStoredNumber(kStoredShutdownStatus, 0).value;
  if (tracksShutdown_)
    SetStoredNumber(kStoredShutdownStatus, 0);
}

// Registry values are typed: nothing to repair.
void StoredSettings::RepairIfDamaged() {}

StoredSettings::Result<uint32_t> StoredSettings::GetStoredNumber(int index,
                                                                 uint32_t defaultValue) const {
  if (!ValidIndex(index))
    return {defaultValue, false};
  DWORD type = REG_NONE;
  DWORD dword = 0;
  const std::optional<std::string> text = QueryValue(kStoredValues[index].name, type, dword);
  if (!text)
    return {defaultValue, false};
  const std::optional<uint32_t> number =
      type == REG_DWORD ? std::optional<uint32_t>(dword) : stored::LeadingNumber(*text);
  if (!number || *number > kStoredValues[index].maxNumber)
    return {defaultValue, false};
  return {*number, true};
}

StoredSettings::Result<std::string> StoredSettings::GetStoredText(int index) const {
  if (!ValidIndex(index))
    return {stored::CurrentFolder(), false};
  DWORD type = REG_NONE;
  DWORD dword = 0;
  const std::optional<std::string> text = QueryValue(kStoredValues[index].name, type, dword);
  if (!text || (type != REG_SZ && type != REG_EXPAND_SZ))
    return {stored::CurrentFolder(), false};
  return {*text, true};
}

bool StoredSettings::Update(std::initializer_list<std::pair<int, uint32_t>> numbers, int textIndex,
                            const std::string* text) {
  for (const auto& [index, value] : numbers) {
    if (!ValidIndex(index))
      return false;
  }
  if (text && (!ValidIndex(textIndex) || text->size() + 1 > kMaxTextBytes))
    return false;
  Key key(KEY_READ | KEY_WRITE);
  if (!key.Get())
    return false;
  bool written = true;
  for (const auto& [index, value] : numbers)
    written = SetNumberIn(key.Get(), kStoredValues[index].name, value) && written;
  if (text) {
    written = RegSetValueExA(key.Get(), kStoredValues[textIndex].name, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text->c_str()),
                             DWORD(text->size() + 1)) == ERROR_SUCCESS &&
              written;
  }
  return written;
}

}  // namespace vistrel
