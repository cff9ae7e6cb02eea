#include "transport/StoredSettings.h"
#include "transport/StoredValueText.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

#include "transport/SettingsFile.h"

namespace vistrel {

namespace {

// The values of the file as far as they can be had: a damaged file gives its good lines.
bool LoadValues(const std::string& path, SettingsFile& file) {
  const SettingsFile::LoadResult loaded = SettingsFile::Load(path, file);
  return loaded == SettingsFile::LoadResult::Loaded || loaded == SettingsFile::LoadResult::Corrupt;
}

// Copies a damaged file aside, so that what the lines that are left out said is not lost;
// the path of the copy, or nullopt when none could be made.
std::optional<std::string> KeepAside(const std::string& path) {
  char stamp[32] = {};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  constexpr int kMaxCopiesPerSecond = 100;
  for (int n = 0; n < kMaxCopiesPerSecond; ++n) {
    const std::string aside =
        path + ".corrupt-" + stamp + (n == 0 ? std::string() : "-" + std::to_string(n));
    std::error_code error;
    // Without overwrite the copy fails when the name is taken, and the next one is tried.
    if (std::filesystem::copy_file(path, aside, error))
      return aside;
    if (error != std::errc::file_exists)
      return std::nullopt;
  }
  return std::nullopt;
}

// The newest copy KeepAside made of `path` that is still there.
std::optional<std::string> NewestCopyAside(const std::string& path) {
  const std::filesystem::path file(path);
  const std::string prefix = file.filename().string() + ".corrupt-";
  std::error_code error;
  std::optional<std::string> newest;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    // The time stamp sorts by time, and a second copy in the same second after the first.
    if (name.starts_with(prefix) && (!newest || entry.path().string() > *newest))
      newest = entry.path().string();
  }
  return newest;
}

std::string UnreadableNotice(const std::string& path, const std::string& reason) {
  return "The stored settings file " + path + " cannot be read (" + reason +
         "): the default settings are used and nothing can be stored. Remove it or put a "
         "regular file in its place.";
}

}  // namespace

StoredSettings::StoredSettings(std::string folder, ShutdownMarker marker)
    : folder_(std::move(folder)), tracksShutdown_(marker == ShutdownMarker::Track) {
  RepairIfDamaged();
  previousShutdownStatus_ = GetStoredNumber(kStoredShutdownStatus, 0).value;
  if (tracksShutdown_)
    SetStoredNumber(kStoredShutdownStatus, 0);
}

void StoredSettings::RepairIfDamaged() {
  SettingsFile file;
  std::string reason;
  switch (SettingsFile::Load(FilePath(), file, &reason)) {
    case SettingsFile::LoadResult::Corrupt:
      // Keeps a copy aside and writes the values that still parse.
      if (!Update({}, -1, nullptr)) {
        fileProblem_ = "Some lines of the stored settings file " + FilePath() +
                       " could not be read and are left out, and the file could not be "
                       "repaired: " +
                       lastWriteError_;
      }
      break;
    case SettingsFile::LoadResult::Unreadable:
      fileProblem_ = UnreadableNotice(FilePath(), reason);
      break;
    case SettingsFile::LoadResult::Loaded:
    case SettingsFile::LoadResult::Missing:
      break;
  }
  // A copy an earlier run kept aside is told about until the operator removes it.
  if (!keptAside_)
    keptAside_ = NewestCopyAside(FilePath());
}

StoredSettings::Result<uint32_t> StoredSettings::GetStoredNumber(int index,
                                                                 uint32_t defaultValue) const {
  if (!ValidIndex(index))
    return {defaultValue, false};
  SettingsFile file;
  if (!LoadValues(FilePath(), file))
    return {defaultValue, false};
  const SettingsFile::Entry* entry = file.Find(kStoredValues[index].name);
  if (!entry)
    return {defaultValue, false};
  const std::optional<uint32_t> number = stored::LeadingNumber(entry->value);
  if (!number || *number > kStoredValues[index].maxNumber)
    return {defaultValue, false};
  return {*number, true};
}

StoredSettings::Result<std::string> StoredSettings::GetStoredText(int index) const {
  SettingsFile file;
  if (!ValidIndex(index))
    return {stored::CurrentFolder(), false};
  if (!LoadValues(FilePath(), file))
    return {stored::CurrentFolder(), false};
  const SettingsFile::Entry* entry = file.Find(kStoredValues[index].name);
  if (!entry)
    return {stored::CurrentFolder(), false};
  return {entry->value, true};
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
  if (error)
    return WriteFailed("cannot make the folder " + folder_ + ": " + error.message());
  const std::string lockPath = folder_ + "/" + kLockName;
  SettingsLock lock(lockPath);
  if (!lock.Held())
    return WriteFailed("cannot lock " + lockPath + ": " + std::strerror(errno));

  SettingsFile file;
  std::string reason;
  switch (SettingsFile::Load(FilePath(), file, &reason)) {
    case SettingsFile::LoadResult::Loaded:
    case SettingsFile::LoadResult::Missing:
      break;
    case SettingsFile::LoadResult::Corrupt:
      if (std::optional<std::string> aside = KeepAside(FilePath()))
        keptAside_ = std::move(aside);
      else
        return WriteFailed("cannot keep a copy of the damaged " + FilePath() + " aside");
      break;
    case SettingsFile::LoadResult::Unreadable:
      return WriteFailed(FilePath() + " cannot be read (" + reason +
                         "); remove it or put a regular file in its place");
  }
  for (const auto& [index, value] : numbers)
    file.SetNumber(kStoredValues[index].name, value);
  if (text)
    file.SetText(kStoredValues[textIndex].name, *text);
  std::string saveError;
  if (!file.Save(FilePath(), &saveError))
    return WriteFailed(saveError);
  lastWriteError_.clear();
  return true;
}

}  // namespace vistrel
