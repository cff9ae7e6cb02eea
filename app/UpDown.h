#pragma once

#include <QtWidgets/QWidget>
#include <cstdint>

class QToolButton;

namespace vistrel {

// The up-down control beside a number field: two arrows, a 32-bit range and a position. It
// does not move by itself: an arrow press asks its owner (stepRequested), and the owner sets
// the new position.
class CUpDown final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString buddyName READ buddyName WRITE setBuddyName)
  // The range a page gives its up-down control; the table's range replaces it where the
  // row has one that applies.
  Q_PROPERTY(int minimum READ Minimum WRITE setMinimum)
  Q_PROPERTY(int maximum READ Maximum WRITE setMaximum)

 public:
  explicit CUpDown(QWidget* parent = nullptr);

  QString buddyName() const { return buddyName_; }
  void setBuddyName(const QString& name) { buddyName_ = name; }

  void SetRange(int32_t minimum, int32_t maximum);
  void setMinimum(int minimum) { SetRange(minimum, maximum_); }
  void setMaximum(int maximum) { SetRange(minimum_, maximum); }
  int32_t Minimum() const { return minimum_; }
  int32_t Maximum() const { return maximum_; }
  // Clamps to the range and returns the position taken.
  int32_t SetPosition(int32_t position);
  int32_t Position() const { return position_; }

  // As if the operator pressed the upper (+1) or lower (-1) arrow.
  void PressArrow(int step);

 signals:
  void stepRequested(int position, int step);

 private:
  QString buddyName_;
  QToolButton* up_;
  QToolButton* down_;
  int32_t minimum_ = 0;
  int32_t maximum_ = 100;
  int32_t position_ = 0;
};

}  // namespace vistrel

using vistrel::CUpDown;
