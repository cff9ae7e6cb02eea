#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "transport/ComPortNames.h"
#include "transport/SettingsFolder.h"

namespace vistrel {

// The indices callers pass.
enum StoredIndex : int {
  kStoredShutdownStatus = 0,
  kStoredCommunicationMode = 1,
  kStoredBaudrate = 2,
  kStoredComPortNo = 3,
  kStoredCl2000Index = 4,
  kStoredCl2001Index = 5,
  kStoredClVer11Index = 6,
  kStoredControlMode = 7,
  kStoredCameraFilePath = 8,
  kStoredCommandLogFilePath = 9,
  kStoredComPortDevice = 10,
  kStoredComPortNetwork = 11,
};

enum class StoredType { Number, Text };

struct StoredValueInfo {
  int index;
  const char* name;
  StoredType type;
  uint32_t defaultNumber;  // texts default to the current working directory
  uint32_t maxNumber;      // a larger stored number reads as not stored
};

inline constexpr uint32_t kAnyNumber = UINT32_MAX;

inline constexpr std::array<StoredValueInfo, 12> kStoredValues = {{
    {0, "Previous Application Shutdown Status", StoredType::Number, 0, kAnyNumber},
    {1, "Communication Mode", StoredType::Number, 0, kAnyNumber},
    {2, "Baudrate", StoredType::Number, 9600, kAnyNumber},
    {3, "Com Port No", StoredType::Number, 0, kMaxComPortIndex},
    {4, "Cameralink 2000 Dll Index", StoredType::Number, 0, kAnyNumber},
    {5, "Cameralink 2001 Dll Index", StoredType::Number, 0, kAnyNumber},
    {6, "Cameralink Ver11 Dll Index", StoredType::Number, 0, kAnyNumber},
    {7, "Control Mode", StoredType::Number, 0, kAnyNumber},
    {8, "Camera File Path", StoredType::Text, 0, kAnyNumber},
    {9, "Command Log File Path", StoredType::Text, 0, kAnyNumber},
    // A serial device chosen in the COM port list instead of a COM name, kept by its stable
    // name (/dev/serial/by-id/...); empty when a COM name is the choice.
    {10, "Com Port Device", StoredType::Text, 0, kAnyNumber},
    // A network port (rfc2217://HOST:PORT or socket://HOST:PORT) chosen in the COM port list;
    // while set it is the choice, and the device above is kept for a later return to it.
    {11, "Com Port Network", StoredType::Text, 0, kAnyNumber},
}};

// The values kept between runs, in the file "settings.ini" of the settings folder.
// Every access reads the file anew; every write is a read-modify-write under a lock file
// followed by an atomic replace, so programs running at the same time keep each other's
// values. A value that cannot be had (missing, not a number, a number above the value's
// limit) reads as its default. Lines of the file that cannot be parsed are left out: when
// the store is created (whichever program or subcommand comes first) a copy of the file as it
// was is kept aside and the file is rewritten with the values that still parse; KeptAsideCopy
// names that copy, in this run and in every later one until the copy is removed, so that the
// front ends keep saying so (Notice). A file that cannot be read at all (a folder or a device
// in its place, one over the size limit) is never taken for an empty one: Notice says so,
// its values read as defaults and nothing is written over it. Creating the store records the
// previous run's shutdown marker and sets it to 0; MarkNormalShutdown (run by the destructor)
// sets it to 1. One instance per program.
class StoredSettings {
 public:
  static constexpr const char* kFileName = "settings.ini";
  static constexpr const char* kLockName = "settings.lock";

  template <typename T>
  struct Result {
    T value;
    bool stored;  // false: the value could not be had and `value` is the default
  };

  // Whether this program's run is what the shutdown marker tells about. The desktop program
  // tracks it; short runs of the command-line tool leave it alone, so that they do not mark
  // a desktop program that is still running as ended normally.
  enum class ShutdownMarker { Track, Leave };

  explicit StoredSettings(std::string folder = SettingsFolder(),
                          ShutdownMarker marker = ShutdownMarker::Track);
  ~StoredSettings();
  StoredSettings(const StoredSettings&) = delete;
  StoredSettings& operator=(const StoredSettings&) = delete;

  Result<uint32_t> GetStoredNumber(int index, uint32_t defaultValue) const;
  bool SetStoredNumber(int index, uint32_t value);
  // Writes several numbers in one replace of the file.
  bool SetStoredNumbers(std::initializer_list<std::pair<int, uint32_t>> values);
  // A text that cannot be had reads as the current working directory.
  Result<std::string> GetStoredText(int index) const;
  bool SetStoredText(int index, const std::string& text);

  bool PreviousShutdownWasNormal() const { return previousShutdownStatus_ == 1; }
  void MarkNormalShutdown();

  const std::string& Folder() const { return folder_; }
  std::string FilePath() const { return folder_ + "/" + kFileName; }

  // The newest copy of a damaged file kept aside (during this run or an earlier one) that
  // is still there, if one is.
  const std::optional<std::string>& KeptAsideCopy() const { return keptAside_; }
  // What the front ends show when the store is created: a kept-aside copy, or a file that
  // cannot be read; nullopt when all is well.
  std::optional<std::string> Notice() const;
  // Why the last write failed, for the operator; empty after a successful one.
  const std::string& LastWriteError() const { return lastWriteError_; }

 private:
  static bool ValidIndex(int index) { return index >= 0 && index < int(kStoredValues.size()); }
  bool Update(std::initializer_list<std::pair<int, uint32_t>> numbers, int textIndex,
              const std::string* text);
  void RepairIfDamaged();
  bool WriteFailed(std::string reason);

  std::string folder_;
  bool tracksShutdown_ = true;
  uint32_t previousShutdownStatus_ = 0;
  std::optional<std::string> keptAside_;
  std::string fileProblem_;  // what is wrong with the file beyond repair; empty when nothing is
  std::string lastWriteError_;
};

// What the front ends say while a damaged file's copy kept aside as `copy` is there.
std::string KeptAsideNotice(const std::string& copy);

}  // namespace vistrel
