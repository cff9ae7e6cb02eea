#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimModel.h"
#include "sim/SimSettings.h"
#include "sim/SimStateFile.h"

namespace vistrel {

using SimClock = std::chrono::steady_clock;
using SimTime = SimClock::time_point;

struct SimConfig {
  // The model name; empty: the one kept in the state file, else "QX-70500C-VLNK".
  std::string model;
  // How long the camera stays silent after a reset.
  std::chrono::milliseconds resetTime{2000};
  // How long a one-shot exposure, gain or white balance run takes.
  std::chrono::milliseconds adjustTime{2500};
  // The serial rates the camera supports (SBDRT), one bit per rate as on Camera Link.
  uint32_t rateMask = 31;
  // Statuses the one-shot status queries (ATCS, AWRS, SDRS) report in turn before the
  // simulated runs' own; for tests of the polling.
  std::vector<int32_t> statusScript;
  // The camera id; empty: the one kept in the state file, else kSimCameraId.
  std::string cameraId;
  // Where the flash areas and identity data are kept between runs; empty: nowhere.
  std::string statePath;
  // Receives problems with the state file; may be empty.
  std::function<void(const std::string&)> log;
};

// The simulated camera: bytes of command lines in, reply bytes out. Time is passed in by the
// caller, so tests can run the reset silence and the adjustment runs at any speed. Not
// thread-safe; see SimPeer for a shared instance.
class SimCamera {
 public:
  explicit SimCamera(SimConfig config = {}, SimTime now = SimClock::now());

  // Takes the bytes as they arrive on the line and returns the replies (each ended by CR LF)
  // to every line they complete. A line ends at LF; a CR before the LF is dropped. While the
  // camera restarts it drops whatever arrives.
  std::string Receive(std::string_view bytes, SimTime now);

  bool IsResetting(SimTime now);
  const SimModel& Model() const { return model_; }
  const SimSettings& Working() const { return working_; }
  const SimStoredState& Stored() const { return stored_; }
  // Gives a camera that still has the default id (kSimCameraId) the id `id`, so that
  // cameras served side by side tell apart; an id set otherwise stays.
  void NameIfUnnamed(const std::string& id);
  // The working value of a command by name (for tests and tools); nullopt for unknown names.
  std::optional<int32_t> Value(std::string_view name) const;

 private:
  struct Request {
    std::string name;
    bool query = false;
    std::string_view argument;  // the text after '?' or '='
  };
  enum class RunKind { None, Exposure, Gain, White };
  struct Run {
    RunKind kind = RunKind::None;
    SimTime end{};
  };

  void PowerOn(SimTime now);
  void Advance(SimTime now);
  std::string HandleLine(std::string_view line, SimTime now);
  std::string Dispatch(const Request& request, SimTime now);
  std::string HandleSequencer(const Request& request, int field, int64_t entry);
  std::string HandlePlain(const Request& request, int id);
  std::string HandleIdentity(const Request& request, int id);
  std::string HandleFlash(const Request& request, int id, SimTime now);
  std::string HandleAdjustment(const Request& request, int id, SimTime now);
  std::string HandleStatus(const Request& request, int id, SimTime now);
  std::string HandleLut(const Request& request, int id);
  std::string HandleBlemish(const Request& request, int id);

  void StartRun(RunKind kind, SimTime now);
  void FinishRun(Run& run);
  void CancelRun(Run& run);
  int32_t Temperature(SimTime now) const;
  int32_t LevelControlStatus() const;
  int32_t& Working(const char* name);
  void SaveState();

  SimConfig config_;
  SimStoredState stored_;
  SimModel model_;
  SimSettings working_;

  std::string partial_;  // bytes of the line being received
  bool overflow_ = false;
  bool resetting_ = false;
  SimTime resetEnd_{};
  SimTime poweredOn_{};

  bool unlocked_ = false;  // the previous line was the unlock
  bool unlockNow_ = false;
  std::array<int, 3> lutWrite_{};  // next entry of a run of LUTSR/LUTSG/LUTSB settings
  std::array<int, 3> lutRead_{};   // next entry of a run of queries
  int lutWriteKeep_ = -1;          // the channel whose run this line continues
  int lutReadKeep_ = -1;
  std::array<int, 3> lutPointIndex_{};
  std::array<int, kSimBlemishTables> blemishIndex_{};

  Run exposureRun_;  // exposure or gain; both report through ATCS
  Run whiteRun_;
  int32_t autoStatus_ = kSimResultIdle;
  int32_t whiteStatus_ = kSimResultIdle;
  int32_t shadingStatus_ = kSimResultIdle;
  size_t scriptedStatuses_ = 0;  // statuses of the script already reported
  int32_t sequencerIndex_ = 1;
  int32_t loadedArea_ = 0;
  int32_t storedArea_ = 0;
};

}  // namespace vistrel
