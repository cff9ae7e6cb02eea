#pragma once

#include <QtWidgets/QFrame>

#include "camera/LutCurve.h"

namespace vistrel {

// The graph area of a LUT editor: a sunken frame whose 256 x 256 client shows the grid, the
// edit points (Edit Mode) and the LUT line of one channel's curve.
class LutGraph final : public QFrame {
  Q_OBJECT

 public:
  LutGraph(LutCurve& curve, int channel, QWidget* parent);

  // How many times the curve was drawn (and, in Edit Mode, its table derived).
  int PaintCount() const { return paints_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LutCurve& curve_;
  int channel_;
  int paints_ = 0;
};

}  // namespace vistrel
