// The desktop program (offscreen) and its link to the simulated camera on a pseudo-terminal:
// - the time from the launch to "Online" with the camera's values, and with a silent camera
//   to "Offline";
// - the time from the device coming back to the pages showing the camera's values;
// - the time from a silent camera on an open port answering again to the same, with the
//   offline check at its normal interval;
// - the program's CPU while it sits idle online;
// - the automatic port search over the 32 COM names with no camera behind any, and how soon
//   a Cancel during it is answered.
#include <stdlib.h>
#include <sys/resource.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QThread>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppServices.h"
#include "app/CommunicationSetup.h"
#include "app/VistrelDlg.h"
#include "bench/BenchSupport.h"
#include "core/ControlIds.h"
#include "sim/PtyServer.h"
#include "sim/SimPeer.h"
#include "transport/StoredSettings.h"
#include "ui/CommunicationDialog.h"
#include "ui/ProgressBarDialog.h"
#include "ui/WindowLockList.h"
#include "ui_CommunicationDialog.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace vistrel;
constexpr int kLimitMs = 20000;
constexpr int kIdleSeconds = 10;

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop until `done` or the limit; the milliseconds taken, -1 past the limit.
template <typename Done>
double Until(Done done) {
  const auto start = Clock::now();
  while (!done()) {
    if (Ms(start) > kLimitMs)
      return -1;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return Ms(start);
}

PtyServerOptions Faulty(SimFault fault) {
  PtyServerOptions options;
  options.faults.fault = fault;
  return options;
}

struct Desktop {
  explicit Desktop(const std::string& folder, SimFault fault = SimFault::None)
      : settings(folder),
        camera(std::make_shared<SimPeer>()),
        server(camera, Faulty(fault)),
        channel(settings, messages, traffic),
        setup(channel, Start()),
        engine(channel, messages),
        table(messages),
        session(engine, table, messages),
        services{settings, messages, notifier, locks, traffic, engine, table, session, setup} {
    channel.SetWriteBack(false);
    engine.SetOnlineStatus(&notifier);
    engine.SetTrafficSink(&traffic);
    dialog = std::make_unique<CVistrelDlg>(services);
    dialog->Tools().Progress().SetClosePause(0);
    dialog->SetSkipExitConfirmation(true);
    dialog->Initialise();
    dialog->show();
  }
  std::string Start() {
    std::string error;
    if (!server.Start(&error))
      std::fprintf(stderr, "cannot start the simulated camera: %s\n", error.c_str());
    return server.SlavePath();
  }
  // True when the gain field shows what the camera holds and no pass runs.
  bool ShowsCamera() {
    auto* gain = qobject_cast<QLineEdit*>(dialog->Registry().FindControl(ctl::FGA));
    const auto value = camera->With([](SimCamera& c) { return c.Value("FGA"); });
    return notifier.IsOnline() && dialog->isEnabled() && value && gain->text().toInt() == *value;
  }
  void ChangeGain() {
    const int shown =
        qobject_cast<QLineEdit*>(dialog->Registry().FindControl(ctl::FGA))->text().toInt();
    camera->Exchange("FGA=" + std::to_string(shown == 100 ? 120 : 100) + "\r\n");
  }

  StoredSettings settings;
  bench::PrintingPresenter messages;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
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

// From the launch (the dialog made and initialised) to the state it starts in.
void MeasureLaunch(const std::string& folder) {
  auto start = Clock::now();
  {
    Desktop healthy(folder);
    std::printf("launch -> Online with the camera's values: %.0f ms\n",
                Ms(start) + Until([&] { return healthy.ShowsCamera(); }));
  }
  start = Clock::now();
  Desktop silent(folder, SimFault::NoReply);
  std::printf(
      "launch, silent camera -> Offline shown: %.0f ms\n",
      Ms(start) + Until([&] { return silent.dialog->Status().Text().startsWith("Offline"); }));
}

void MeasureReturns(Desktop& desktop) {
  desktop.server.Stop();
  Until([&] { return !desktop.notifier.IsOnline(); });
  desktop.ChangeGain();
  desktop.Start();
  std::printf("device back -> pages show the camera's values: %.0f ms\n",
              Until([&] { return desktop.ShowsCamera(); }));

  SimFaults silent;
  silent.fault = SimFault::NoReply;
  desktop.server.SetFaults(silent);
  desktop.notifier.SetOffline();
  desktop.ChangeGain();
  desktop.server.SetFaults({});
  std::printf("silent camera answers again -> pages show its values: %.0f ms (check every %d ms)\n",
              Until([&] { return desktop.ShowsCamera(); }), CVistrelDlg::kProbeEveryMs);
}

// Idle with the dialog shown and online (its timers running).
void MeasureIdle() {
  const double cpu = CpuSeconds();
  const auto start = Clock::now();
  QEventLoop idle;
  QTimer::singleShot(kIdleSeconds * 1000, &idle, &QEventLoop::quit);
  idle.exec();
  std::printf("idle online, %d s: CPU %.2f %%\n", kIdleSeconds,
              100.0 * (CpuSeconds() - cpu) / (Ms(start) / 1000.0));
}

void MeasureSearch(Desktop& desktop, const std::string& folder) {
  std::filesystem::create_directories(folder + "/ports");
  for (int i = 1; i <= 32; ++i)
    std::filesystem::create_symlink("/nonexistent/tty" + std::to_string(i),
                                    folder + "/ports/COM" + std::to_string(i));
  auto& controls = desktop.dialog->Tools().Communication().Controls();
  auto start = Clock::now();
  controls.c1243->click();
  std::printf("Auto over 32 names, no camera: %.0f ms\n", Ms(start));

  // Cancel while the search runs: from the click on Cancel to the search having ended.
  Clock::time_point cancelled{};
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (progress != nullptr && progress->value() >= 3 && cancelled == Clock::time_point{}) {
      cancelled = Clock::now();
      progress->cancel();
    }
  });
  cancel.start(0);
  controls.c1243->click();
  cancel.stop();
  if (cancelled != Clock::time_point{})
    std::printf("Cancel answered after %.0f ms\n", Ms(cancelled));
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  char pattern[] = "/tmp/bench-desktop-XXXXXX";
  const std::string folder = ::mkdtemp(pattern);
  MeasureLaunch(folder);
  {
    Desktop desktop(folder);
    MeasureReturns(desktop);
    MeasureIdle();
    MeasureSearch(desktop, folder);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
