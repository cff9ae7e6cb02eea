#include "app/UpDown.h"

#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace vistrel {

CUpDown::CUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setAutoRepeat(true);
    arrow->setFixedSize(16, 11);
    arrow->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(arrow);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { PressArrow(1); });
  connect(down_, &QToolButton::clicked, this, [this] { PressArrow(-1); });
  setFixedWidth(16);
}

void CUpDown::SetRange(int32_t minimum, int32_t maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, minimum_, maximum_);
}

int32_t CUpDown::SetPosition(int32_t position) {
  position_ = std::clamp(position, minimum_, maximum_);
  return position_;
}

void CUpDown::PressArrow(int step) {
  emit stepRequested(position_, step);
}

}  // namespace vistrel
