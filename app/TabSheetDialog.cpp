#include "app/TabSheetDialog.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>

#include "ui_Page107.h"
#include "ui_Page112.h"
#include "ui_Page113.h"
#include "ui_Page114.h"
#include "ui_Page115.h"
#include "ui_Page123.h"
#include "ui_Page125.h"
#include "ui_Page126.h"

namespace vistrel {

namespace {

template <typename Form>
void Build(QWidget* widget) {
  Form form;
  form.setupUi(widget);
}

void BuildTemplate(int templateId, QWidget* widget) {
  switch (templateId) {
    case 112:
      return Build<Ui::Page112>(widget);
    case 113:
      return Build<Ui::Page113>(widget);
    case 114:
      return Build<Ui::Page114>(widget);
    case 115:
      return Build<Ui::Page115>(widget);
    case 123:
      return Build<Ui::Page123>(widget);
    case 125:
      return Build<Ui::Page125>(widget);
    case 126:
      return Build<Ui::Page126>(widget);
    case 107:
      return Build<Ui::Page107>(widget);
    default:
      break;
  }
}

}  // namespace

CTabSheetDialog::CTabSheetDialog(int templateId, QWidget* owner, QString title, bool factoryOnly)
    : QWidget(owner),
      templateId_(templateId),
      title_(std::move(title)),
      factoryOnly_(factoryOnly),
      form_(new QWidget),
      scroll_(new QScrollArea(this)) {
  setObjectName(QString("page%1").arg(templateId));
  BuildTemplate(templateId, form_);
  scroll_->setWidget(form_);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);
  for (QWidget* control : form_->findChildren<QWidget*>()) {
    if (qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractSpinBox*>(control)) {
      control->setFocusPolicy(Qt::StrongFocus);
      control->installEventFilter(this);
    }
  }
}

bool CTabSheetDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel)
    return false;
  const auto* control = qobject_cast<QWidget*>(watched);
  if (control == nullptr || control->hasFocus())
    return false;
  // The page scrolls instead; the control stays as it is.
  QCoreApplication::sendEvent(scroll_->verticalScrollBar(), event);
  return true;
}

}  // namespace vistrel
