#include "app/PortWatch.h"

#include <QtCore/QScopedValueRollback>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <array>

#include "app/VistrelDlg.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

namespace {

// How long the receive path must stay quiet before what came from before counts as gone.
constexpr int kSettleMs = limits::kSettleMs;
constexpr int kDiscardChunk = 256;

}  // namespace

PortWatch::PortWatch(AppServices& services, ILinkDisplay& display, QWidget* window)
    : QObject(window),
      services_(services),
      display_(display),
      window_(window),
      watchTimer_(new QTimer(this)),
      probeTimer_(new QTimer(this)) {
  connect(watchTimer_, &QTimer::timeout, this, [this] { WatchPort(); });
  connect(probeTimer_, &QTimer::timeout, this, [this] { ProbeWhileOffline(); });
}

void PortWatch::Start(int watchMs, int probeEveryMs) {
  watchTimer_->start(watchMs);
  probeTimer_->start(probeEveryMs);
}

void PortWatch::Stop() {
  watchTimer_->stop();
  probeTimer_->stop();
}

void PortWatch::SetProbeInterval(int ms) {
  probeTimer_->start(ms);
}

bool PortWatch::WindowFree() const {
  const QWidget* modal = QApplication::activeModalWidget();
  return window_->isEnabled() && (modal == nullptr || modal == window_);
}

void PortWatch::WatchPort() {
  // Not while a pass runs (the window is disabled) or a message waits for the operator: the
  // pass ends on the lost port by itself, and the reopening waits until it has.
  if (!WindowFree())
    return;
  switch (services_.channel.WatchPort()) {
    case IChannelSetup::PortEvent::None:
      break;
    case IChannelSetup::PortEvent::Lost:
      services_.notifier.SetOffline();
      break;
    case IChannelSetup::PortEvent::Reopened:
      display_.SetChannelOk(Reconnect());
      break;
  }
}

void PortWatch::ProbeWhileOffline() {
  // Online with the camera's values never read (it answered only after the start's model
  // check) counts as not connected yet: the values are read in full.
  const bool online = services_.notifier.IsOnline();
  if (probing_ || (online && services_.session.ValuesReadSinceStart()) ||
      !services_.channel.IsOpen() || !WindowFree())
    return;
  if (online || CameraAnswers())
    display_.SetChannelOk(Reconnect());
}

void PortWatch::DiscardLeftovers() {
  ISerialChannel& channel = services_.engine.Channel();
  std::array<char, kDiscardChunk> bytes{};
  while (channel.Read(bytes.data(), static_cast<int>(bytes.size()), kSettleMs) > 0) {
  }
  services_.engine.ResetReceive();
}

bool PortWatch::CameraAnswers(int limitMs) {
  const QScopedValueRollback<bool> busy(probing_, true);
  DiscardLeftovers();
  std::string model;
  return services_.engine.GetText(cmd::MD, model, limitMs) == Outcome::Done;
}

bool PortWatch::Reconnect() {
  DiscardLeftovers();
  if (!CameraAnswers() && !CameraAnswers()) {
    display_.ShowStatusNote("The camera does not answer the model query.");
    return false;
  }
  display_.ShowStatusNote({});
  display_.ReloadCamera();
  return services_.session.LastRead().modelAnswered;
}

}  // namespace vistrel
