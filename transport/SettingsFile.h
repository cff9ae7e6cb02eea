#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistrel {

// The stored-settings file: a typed, human-readable key-value text, one value per line,
//   Name=number:9600
//   Name=text:/home/operator/cameras
// Blank lines and lines starting with '#' are comments. In texts a backslash, a line feed
// and a carriage return are written as \\, \n and \r. A number is a decimal that fits 32 bits
// without a sign.
class SettingsFile {
 public:
  enum class Type { Number, Text };
  struct Entry {
    std::string name;
    Type type = Type::Number;
    std::string value;  // decimal digits for a number, the plain text for a text
  };
  enum class LoadResult { Loaded, Missing, Corrupt, Unreadable };
  // Ten values and a few more of later versions take a few kilobytes even with long folder
  // names; a larger file is not one this program wrote.
  static constexpr size_t kMaxBytes = 1024 * 1024;

  // nullopt when a line is not of the form above.
  static std::optional<SettingsFile> Parse(std::string_view content);
  // The lines of the form above; the others are left out and counted in `dropped`.
  static SettingsFile ParseGoodLines(std::string_view content, size_t* dropped = nullptr);
  std::string Serialize() const;

  const Entry* Find(std::string_view name) const;
  void SetNumber(std::string_view name, uint32_t value);
  void SetText(std::string_view name, std::string_view text);

  // Reads `path`; a missing file loads as empty. Corrupt: some lines are not of the form
  // above, and `out` holds the others. Unreadable: `out` is empty; so is it for anything but
  // a regular file of at most kMaxBytes, and `reason` (when given) then says why.
  static LoadResult Load(const std::string& path, SettingsFile& out, std::string* reason = nullptr);
  // Replaces `path` atomically: a temporary file is written, flushed to disk and renamed.
  // False, with the reason in `error` when given, when it could not be.
  bool Save(const std::string& path, std::string* error = nullptr) const;

 private:
  void Set(std::string_view name, Type type, std::string value);
  bool ParseLine(std::string_view line);

  std::vector<Entry> entries_;
};

// An exclusive advisory lock on a lock file, held for the object's lifetime.
class SettingsLock {
 public:
  explicit SettingsLock(const std::string& path);
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace vistrel
