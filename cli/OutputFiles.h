#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class Validator;
}

namespace vistrel {

class CliSession;
struct ChosenAction;

// The file of a command that writes one (save, lut read) that means standard output.
inline constexpr const char* kStandardOutputFile = "-";

// Whether the command may write `path`, checked before the channel is opened: a destination
// that is not a regular file (or a link that may not be followed) is refused whatever --force
// says, an existing file needs --force. kExitOk, or kExitUsage after saying why.
int CheckOutputFile(CliSession& s, const std::string& path, bool force);

// The folder of a file to write exists and the file is one that may be replaced (standard
// output passes); for the FILE argument, checked before the channel is opened.
CLI::Validator OutputFileCheck();

// Gives the file of the chosen command its name for this camera, once the model check has
// passed: the fields below expanded (the channel as the run names it), and in a run over
// several cameras that names files by camera id, the name claimed against the others'.
// kExitOk, or the status after saying why nothing is written.
int NameOutputFile(const ChosenAction& chosen, CliSession& s, const std::string& channel);

// A file name for each camera of a run over several: {channel} stands for the channel in a
// form fit for a file name, {cameraId} for the camera's id in that form.
inline constexpr const char* kChannelField = "{channel}";
inline constexpr const char* kCameraIdField = "{cameraId}";
bool NamesPerCamera(const std::string& pattern);
bool NeedsCameraId(const std::string& pattern);
// Letters, digits, '-' and '.' stay; any run of other characters becomes one '_', none at
// either end, and never a name that starts with '.' ("/dev/ttyUSB0": "dev_ttyUSB0").
std::string FileNameSafe(const std::string& text);
std::string ExpandFileName(const std::string& pattern, const std::string& channel,
                           const std::string& cameraId);

// The files the cameras of a run over several write, and the slots --jobs gives them. A camera
// that names its file by its id learns the id only after its model check: it claims the file
// then and waits until every camera has claimed its own or ended, so that two cameras given
// the same name write neither file. A waiting camera gives its slot to the next.
class OutputClaims {
 public:
  OutputClaims(size_t cameras, size_t slots);
  // A camera's run begins: waits for a free slot.
  void Enter();
  // A camera's run has ended (whether it claimed a file or not): its slot is free.
  void Leave(size_t camera);
  // Camera `camera` is to write `path`: the other camera that is to write the same path once
  // every camera has claimed or ended, or nullopt.
  std::optional<size_t> Claim(size_t camera, const std::string& path);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t freeSlots_;
  size_t settled_ = 0;
  std::vector<std::optional<std::string>> paths_;
  std::vector<bool> done_;
};

}  // namespace vistrel
