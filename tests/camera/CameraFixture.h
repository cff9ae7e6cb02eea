#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "camera/CameraSession.h"
#include "core/Command.h"
#include "core/ParameterTable.h"
#include "support/Recorders.h"
#include "support/SimChannel.h"

namespace vistrel::test {

// The whole contents of the file at `path`.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Records what the camera operations ask of the pages.
class RecordingHooks : public IChoiceHooks, public IFolderMemory {
 public:
  void SelectChoiceEntry(int ctrlId, int entry) override { selected.push_back({ctrlId, entry}); }
  void FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int) override {
    baudEntries = entries;
  }
  void FillModelChoice(const std::vector<std::string>& entries, int selection) override {
    modelEntries = entries;
    modelSelection = selection;
  }
  void RememberCameraFileFolder(const std::string& folder) override { folders.push_back(folder); }
  struct Selected {
    int ctrlId;
    int entry;
  };
  std::vector<Selected> selected;
  std::vector<ChoiceEntry> baudEntries;
  std::vector<std::string> modelEntries;
  int modelSelection = -1;
  std::vector<std::string> folders;
};

// Keeps every message line and percentage the progress display was given.
class RecordingProgress : public IProgress {
 public:
  void Begin(const std::string& message) override { messages.push_back(message); }
  void Update(int percent) override { percents.push_back(percent); }
  void End() override { ++ended; }
  void SetMessage(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> messages;
  std::vector<int> percents;
  int ended = 0;
};

// A camera session on the in-process simulated camera of `model`.
class CameraFixture {
 public:
  explicit CameraFixture(const std::string& model = "QX-70500C-VLNK", uint32_t rateMask = 31)
      : CameraFixture(Config(model, rateMask), {}) {}
  CameraFixture(SimConfig config, SimPeer::Clock clock)
      : channel(std::move(config), std::move(clock)),
        engine(channel, presenter),
        table(presenter),
        session(engine, table, presenter) {
    engine.SetOnlineStatus(&online);
    session.SetHooks(PageHooks::Of(hooks));
    session.SetProgress(&progress);
    session.SetView(&view);
  }

  static SimConfig Config(const std::string& model, uint32_t rateMask) {
    SimConfig config;
    config.model = model;
    config.rateMask = rateMask;
    config.resetTime = std::chrono::milliseconds(50);
    config.adjustTime = std::chrono::milliseconds(50);
    return config;
  }

  // The value the camera holds for a command, asked directly.
  std::string CameraValue(const std::string& name) {
    const std::string reply = channel.peer.Exchange(name + "?\r\n");
    const size_t eq = reply.find('=');
    return eq == std::string::npos ? reply : reply.substr(eq + 1, reply.find('\r') - eq - 1);
  }

  SimChannel channel;
  RecordingPresenter presenter;
  RecordingOnlineStatus online;
  RecordingHooks hooks;
  RecordingProgress progress;
  RecordingView view;
  Command engine;
  ParameterTable table;
  CameraSession session;
};

}  // namespace vistrel::test
