#include "transport/StoredSettings.h"

#include <unistd.h>

#include <cctype>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "transport/SettingsFile.h"

namespace vistrel {

namespace {

std::string CurrentFolder() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string() : path.string();
}

// A number kept as text reads as its leading decimal digits (0 without any).
uint32_t LeadingNumber(const std::string& text) {
  uint64_t value = 0;
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
    ++i;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + uint64_t(text[i] - '0');
    if (value > UINT32_MAX)
      return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

// Renames an unreadable file aside so that nobody's settings are overwritten unseen.
bool KeepAside(const std::string& path) {
  char stamp[32] = {};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string aside = path + ".corrupt-" + stamp;
  std::error_code error;
  for (int n = 1; std::filesystem::exists(aside, error); ++n) {
    aside = path + ".corrupt-" + stamp + "-" + std::to_string(n);
  }
  std::filesystem::rename(path, aside, error);
  return !error;
}

}  // namespace

StoredSettings::StoredSettings(std::string folder, ShutdownMarker marker)
    : folder_(std::move(folder)), tracksShutdown_(marker == ShutdownMarker::Track) {
  previousShutdownStatus_ = GetStoredNumber(kStoredShutdownStatus, 0).value;
  if (tracksShutdown_)
    SetStoredNumber(kStoredShutdownStatus, 0);
}

StoredSettings::~StoredSettings() {
  if (tracksShutdown_)
    MarkNormalShutdown();
}

void StoredSettings::MarkNormalShutdown() {
  SetStoredNumber(kStoredShutdownStatus, 1);
}

StoredSettings::Result<uint32_t> StoredSettings::GetStoredNumber(int index,
                                                                 uint32_t defaultValue) const {
  if (!ValidIndex(index))
    return {defaultValue, false};
  SettingsFile file;
  if (SettingsFile::Load(FilePath(), file) != SettingsFile::LoadResult::Loaded) {
    return {defaultValue, false};
  }
  const SettingsFile::Entry* entry = file.Find(kStoredValues[index].name);
  if (!entry)
    return {defaultValue, false};
  return {LeadingNumber(entry->value), true};
}

StoredSettings::Result<std::string> StoredSettings::GetStoredText(int index) const {
  SettingsFile file;
  if (!ValidIndex(index) ||
      SettingsFile::Load(FilePath(), file) != SettingsFile::LoadResult::Loaded) {
    return {CurrentFolder(), false};
  }
  const SettingsFile::Entry* entry = file.Find(kStoredValues[index].name);
  if (!entry)
    return {CurrentFolder(), false};
  return {entry->value, true};
}

bool StoredSettings::SetStoredNumber(int index, uint32_t value) {
  return SetStoredNumbers({{index, value}});
}

bool StoredSettings::SetStoredNumbers(std::initializer_list<std::pair<int, uint32_t>> values) {
  return Update(values, -1, nullptr);
}

bool StoredSettings::SetStoredText(int index, const std::string& text) {
  return Update({}, index, &text);
}

bool StoredSettings::Update(std::initializer_list<std::pair<int, uint32_t>> numbers, int textIndex,
                            const std::string* text) {
  for (const auto& [index, value] : numbers) {
    if (!ValidIndex(index))
      return false;
  }
  if (text && !ValidIndex(textIndex))
    return false;

  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  SettingsLock lock(folder_ + "/" + kLockName);
  if (!lock.Held())
    return false;

  SettingsFile file;
  switch (SettingsFile::Load(FilePath(), file)) {
    case SettingsFile::LoadResult::Loaded:
    case SettingsFile::LoadResult::Missing:
      break;
    case SettingsFile::LoadResult::Corrupt:
      if (!KeepAside(FilePath()))
        return false;
      break;
    case SettingsFile::LoadResult::Unreadable:
      return false;
  }
  for (const auto& [index, value] : numbers)
    file.SetNumber(kStoredValues[index].name, value);
  if (text)
    file.SetText(kStoredValues[textIndex].name, *text);
  return file.Save(FilePath());
}

}  // namespace vistrel
