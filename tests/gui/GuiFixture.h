#pragma once

#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppServices.h"
#include "app/CommunicationSetup.h"
#include "app/VistrelDlg.h"
#include "sim/PtyServer.h"
#include "sim/SimPeer.h"
#include "support/Recorders.h"
#include "support/TestEnvironment.h"
#include "transport/CCommunication.h"
#include "ui/ProgressBarDialog.h"

namespace vistrel::test {

// Messages and questions recorded; questions and file choices answered from scripts.
class ScriptedPresenter final : public RecordingPresenter {
 public:
  std::optional<std::string> ChooseFile(bool forSaving, const std::string& /*folder*/,
                                        const std::string& defaultExtension,
                                        const std::string& filter) override {
    fileRequests.push_back({forSaving, defaultExtension, filter});
    if (files.empty())
      return std::nullopt;
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
  }
  struct FileRequest {
    bool forSaving;
    std::string defaultExtension;
    std::string filter;
  };
  std::vector<FileRequest> fileRequests;
  std::deque<std::optional<std::string>> files;
};

// The whole program on the simulated camera served on a pseudo-terminal in this process.
struct Program {
  // With `link`, the program opens the camera through that link to its pseudo-terminal.
  explicit Program(const std::string& folder, SimFault fault = SimFault::None,
                   const std::string& link = {})
      : settings(folder),
        camera(std::make_shared<SimPeer>()),
        server(camera, Options(fault, link)),
        channel(settings, messages, traffic),
        setup(channel, link.empty() ? StartServer() : (StartServer(), link)),
        engine(channel, messages),
        table(messages),
        session(engine, table, messages),
        services{settings, messages, notifier, locks, traffic, engine, table, session, setup} {
    channel.SetWriteBack(false);
    engine.SetOnlineStatus(&notifier);
    engine.SetTrafficSink(&traffic);
    traffic.Add(&wire);
  }

  static PtyServerOptions Options(SimFault fault, const std::string& link) {
    PtyServerOptions options;
    options.faults.fault = fault;
    options.linkPath = link;
    return options;
  }
  std::string StartServer() {
    std::string error;
    EXPECT_TRUE(server.Start(&error)) << error;
    return server.SlavePath();
  }

  CVistrelDlg& Start() {
    dialog = std::make_unique<CVistrelDlg>(services);
    dialog->Tools().Progress().SetClosePause(0);
    dialog->Initialise();
    dialog->show();
    return *dialog;
  }

  // The lines sent to the camera since wire line `from` ("Tx: " lines, without the prefix).
  std::vector<std::string> Sent(size_t from = 0) const {
    std::vector<std::string> lines;
    for (size_t i = from; i < wire.lines.size(); ++i) {
      if (wire.lines[i].starts_with("Tx: "))
        lines.push_back(wire.lines[i].substr(4));
    }
    return lines;
  }
  std::vector<std::string> SentSettings() const {
    std::vector<std::string> lines = Sent();
    std::erase_if(lines,
                  [](const std::string& line) { return line.find('=') == std::string::npos; });
    return lines;
  }
  std::optional<int32_t> CameraValue(const std::string& name) {
    return camera->With([&](SimCamera& c) { return c.Value(name); });
  }

  StoredSettings settings;
  ScriptedPresenter messages;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
  RecordingTraffic wire;
  TrafficFanOut traffic;
  std::shared_ptr<SimPeer> camera;
  PtyServer server;
  CCommunication channel;
  CommunicationSetup setup;
  Command engine;
  ParameterTable table;
  CameraSession session;
  AppServices services;
  std::unique_ptr<CVistrelDlg> dialog;
};

// The program on a temporary folder of its own, made before the program and removed after it.
struct ProgramFolder {
  TempFolder folder;
};
struct TestProgram : ProgramFolder, Program {
  explicit TestProgram(SimFault fault = SimFault::None) : Program(folder.Path(), fault) {}
};

// The fixture of tests on the program started as it is found, or in the factory control mode.
template <uint32_t kControlMode = 0>
class StartedProgram : public ::testing::Test {
 protected:
  static CVistrelDlg& StartIn(Program& program) {
    program.settings.SetStoredNumber(kStoredControlMode, kControlMode);
    return program.Start();
  }
  TestProgram program;
  CVistrelDlg& dialog = StartIn(program);
};

// Lets queued events run (the engine's idle drain included) for a while.
void Pump(int ms);

}  // namespace vistrel::test
