#include "app/TabSheetDialog.h"

#include <QtWidgets/QScrollArea>
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
      form_(new QWidget) {
  setObjectName(QString("page%1").arg(templateId));
  BuildTemplate(templateId, form_);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(form_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
}

}  // namespace vistrel
