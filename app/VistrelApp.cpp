#include "app/VistrelApp.h"

#include <QtCore/QTimer>
#include <QtGui/QPixmap>
#include <cstdio>
#include <cstring>

#include "app/AppServices.h"
#include "app/CommunicationSetup.h"
#include "app/StopSignalNotifier.h"
#include "app/VistrelDlg.h"
#include "sim/InProcessCamera.h"
#include "transport/CCommunication.h"
#include "ui/QtMessagePresenter.h"

namespace vistrel {

StartOptions ParseStartOptions(int argc, char** argv) {
  StartOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--simulate") {
      options.simulate = true;
    } else if (arg.rfind("--simulate=", 0) == 0) {
      options.simulate = true;
      options.model = arg.substr(std::strlen("--simulate="));
    } else if (arg.rfind("--screenshot=", 0) == 0) {
      options.screenshot = arg.substr(std::strlen("--screenshot="));
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--quit-after-start") {
      options.quitAfterStart = true;
    } else if (arg.rfind("-platform", 0) == 0 || arg.rfind("-style", 0) == 0) {
      ++i;  // Qt's own options and their values
    } else {
      options.valid = false;
      options.error = "unknown option: " + arg;
    }
  }
  return options;
}

const char* StartHelp() {
  return "vistrel: set up a Camera Link camera over its serial channel\n"
         "Usage: vistrel [OPTIONS]\n"
         "\n"
         "Options:\n"
         "  -h,--help                   Print this help message and exit\n"
         "  --version                   Print the version and exit\n"
         "  --simulate[=MODEL]          Use a simulated camera of MODEL in the same process, for\n"
         "                              this run only (default model QX-70500C-VLNK)\n"
         "  --screenshot=FILE           Save a picture of the main window after start-up as FILE\n"
         "                              (PNG) and end\n"
         "  --quit-after-start          End as soon as the start-up is done\n"
         "\n"
         "The README and the changelog are in " VISTREL_DOC_DIR "; see also vistrel(1).\n";
}

CVistrelApp::CVistrelApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Vistrel");
  setApplicationVersion(VISTREL_VERSION);
}

int CVistrelApp::Run(const StartOptions& options) {
  std::unique_ptr<InProcessCamera> camera;
  if (options.simulate) {
    std::string error;
    camera = StartInProcessCamera(options.model, error);
    if (!camera) {
      std::fprintf(stderr, "vistrel: cannot start the simulated camera: %s\n", error.c_str());
      return 1;
    }
  }
  StoredSettings settings;
  QtMessagePresenter messages;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
  TrafficFanOut traffic;
  WaitCursor busy;
  CCommunication channel(settings, messages, traffic);
  // The simulated camera is only for this run: the stored channel choice stays as it is.
  if (camera)
    channel.SetWriteBack(false);
  CommunicationSetup setup(channel, camera ? camera->DevicePath() : std::string());
  Command engine(channel, messages);
  engine.SetOnlineStatus(&notifier);
  engine.SetBusyIndicator(&busy);
  engine.SetTrafficSink(&traffic);
  ParameterTable table(messages);
  CameraSession session(engine, table, messages);
  AppServices services{settings, messages, notifier, locks, traffic, engine, table, session, setup};

  int result = 0;
  {
    CVistrelDlg dialog(services);
    messages.SetParentWindow(&dialog);
    dialog.Initialise();
    // Asked to end by the system: no question, and what moves on the camera is stopped.
    CStopSignalNotifier stopSignals;
    QObject::connect(&stopSignals, &CStopSignalNotifier::received, &dialog, [&](int signal) {
      std::fprintf(stderr, "vistrel: ending on signal %d\n", signal);
      messages.SetEnding(true);
      dialog.ShutDown();
    });
    if (!options.screenshot.empty() || options.quitAfterStart) {
      QTimer::singleShot(0, &dialog, [&] {
        if (!options.screenshot.empty()) {
          // The scroll areas of the pages settle on the window's final size first.
          QApplication::processEvents();
          dialog.grab().save(QString::fromStdString(options.screenshot));
        }
        dialog.SetSkipExitConfirmation(true);
        dialog.reject();
      });
    }
    dialog.exec();
    messages.SetParentWindow(nullptr);
  }
  settings.MarkNormalShutdown();
  return result;
}

}  // namespace vistrel
