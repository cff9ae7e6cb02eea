#pragma once

#include <QtCore/QObject>

class QSocketNotifier;

namespace vistrel {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered by the event loop: the handler
// only writes the signal's number into a pipe, and a QSocketNotifier on the pipe's other end
// emits `received`, so that the program can stop what moves on the camera and close its
// windows as it would for the operator. One instance at a time; the previous handlers come
// back when it is destroyed. On Windows it does nothing.
class CStopSignalNotifier final : public QObject {
  Q_OBJECT

 public:
  explicit CStopSignalNotifier(QObject* parent = nullptr);
  ~CStopSignalNotifier() override;

 signals:
  void received(int signal);

 private:
  void Drain();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vistrel
