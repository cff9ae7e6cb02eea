#pragma once

#include <QtWidgets/QDialog>

#include "camera/CameraSession.h"
#include "camera/LutCurve.h"
#include "core/Outcome.h"
#include "ui/OnlineStatusNotifier.h"
#include "ui/WindowLockList.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace vistrel {

class LutGraph;

// The LUT editor of one colour channel: the channel's table as a curve the operator shapes
// with the mouse, read from and written to the camera. The program keeps one editor per
// channel for the whole run; closing the window only hides it.
class CLUTDlg final : public QDialog, public COnlineStatusUpdater {
  Q_OBJECT

 public:
  // Window-client rectangle redrawn after every change of points or mode.
  static constexpr int kRedrawLeft = 155;
  static constexpr int kRedrawTop = 15;
  static constexpr int kRedrawRight = 424;
  static constexpr int kRedrawBottom = 284;

  CLUTDlg(int channel, CameraSession& session, OnlineStatusNotifier& notifier,
          WindowLockList& locks, QWidget* parent = nullptr);
  ~CLUTDlg() override;

  int Channel() const { return channel_; }
  LutCurve& Curve() { return curve_; }
  const LutTable& Values() const { return curve_.Values(); }
  LutGraph* Graph() const { return graph_; }

  // Stores the mode and shows its text; the graph is redrawn.
  void SetMode(int32_t mode);
  // Shows the table as it stands (View Mode), after a read or a file load.
  void ShowTable();

  // The operations of the four buttons and "Convert Editable".
  Outcome ReadTableFromCamera();
  Outcome WriteTableToCamera(int channel);
  Outcome WriteToAllColorTables();
  void ClearTable();
  void ConvertEditable();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void Redraw();

  int channel_;
  CameraSession& session_;
  OnlineStatusNotifier& notifier_;
  LutCurve curve_;
  LutGraph* graph_ = nullptr;
  QLabel* modeText_ = nullptr;
  QSpinBox* spinner_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace vistrel
