#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

#include "app/AppServices.h"
#include "core/TimeLimits.h"

class QTimer;
class QWidget;

namespace vistrel {

// What the port watch asks of the main dialog.
class ILinkDisplay {
 public:
  virtual ~ILinkDisplay() = default;
  // Reads every setting again and shows them (the way back online ends with it).
  virtual void ReloadCamera() = 0;
  // The note of the status bar (why the camera is not back, and the like).
  virtual void ShowStatusNote(const QString& note) = 0;
  // Whether the channel counts as working after the watch reopened it or the camera answered.
  virtual void SetChannelOk(bool ok) = 0;
};

// The watch of the COM port and of a silent camera: offline when the port is lost, the model
// check when it is back, and while offline with the port open a look now and then whether the
// camera answers again.
class PortWatch final : public QObject {
 public:
  // `window` is the main dialog: nothing is looked at while it is disabled (a pass runs) or
  // another window waits for the operator.
  PortWatch(AppServices& services, ILinkDisplay& display, QWidget* window);

  // Starts the watch: the port every `watchMs`, the camera every `probeEveryMs`.
  void Start(int watchMs, int probeEveryMs);
  void Stop();
  void SetProbeInterval(int ms);

  // One look at the COM port.
  void WatchPort();
  // One look of the offline check: back online when the camera answers again, and a full
  // read when the link is up but the camera's values were never read.
  void ProbeWhileOffline();
  // Whether the camera answers the model query within `limitMs` (by default the short limit
  // of a probe).
  bool CameraAnswers(int limitMs = limits::kProbeMs);
  // The way back online: whatever is left in the receive path from before is discarded, the
  // model is checked (a second time when the first check fails) and every setting is read
  // again. False when the camera does not pass the model check.
  bool Reconnect();

 private:
  // Whether the main dialog is free for a look: enabled, and no other window waits.
  bool WindowFree() const;
  // Reads whatever has arrived (or arrives within a short pause) and drops it, with the
  // engine's partial line.
  void DiscardLeftovers();

  AppServices& services_;
  ILinkDisplay& display_;
  QWidget* window_;
  QTimer* watchTimer_;
  QTimer* probeTimer_;
  bool probing_ = false;  // a probe or a way back online is under way
};

}  // namespace vistrel
