#pragma once

#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>
#include <array>

class QLabel;

namespace vistrel {

class CButtonDlg;
class Command;

// A push button that tells its window when it is pressed and released, by the mouse or by
// Space while it has the focus, and when it loses the focus while held.
class CMyButton final : public QPushButton {
  Q_OBJECT

 public:
  CMyButton(const QString& text, int index, CButtonDlg* owner);
  // The window is going: nothing is told to it any more (its buttons lose the focus while
  // they are destroyed).
  void ForgetOwner() { owner_ = nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int index_;
  CButtonDlg* owner_;
};

// "Motor Lens": iris, zoom and focus move while their button is held. The stop always goes
// to the function that was started: wherever the button is released, and also when the
// window loses the focus, is hidden or closes while a button is held.
class CButtonDlg final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kNone = -1;

  explicit CButtonDlg(Command& engine, QWidget* parent = nullptr);
  ~CButtonDlg() override;

  // The button at `index` of the lens button table was pressed: starts its movement (after
  // stopping one still held) and shows its status.
  void Press(int index);
  // Stops the movement started last, if one runs, and clears the status.
  void Release();
  int Held() const { return held_; }
  QString StatusText() const;
  CMyButton* Button(int index) const { return buttons_[static_cast<size_t>(index)]; }

 protected:
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  Command& engine_;
  std::array<CMyButton*, 6> buttons_{};
  QLabel* status_;
  int held_ = kNone;
};

}  // namespace vistrel
