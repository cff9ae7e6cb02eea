#include "app/ParameterAreaSelectDialog.h"

#include "ui_ParameterAreaSelectDialog.h"

namespace vistrel {

CParameterAreaSelectDialog::CParameterAreaSelectDialog(const std::vector<std::string>& choices,
                                                       const QString& title,
                                                       OnlineStatusNotifier& notifier,
                                                       QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ParameterAreaSelectDialog>()), notifier_(notifier) {
  ui_->setupUi(this);
  setWindowTitle(title);
  for (const std::string& choice : choices)
    ui_->comboArea->addItem(QString::fromStdString(choice));
  connect(ui_->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  SetStatusPicture(ui_->statusStrip);
  notifier_.Register(this);
}

CParameterAreaSelectDialog::~CParameterAreaSelectDialog() {
  notifier_.Unregister(this);
}

std::string CParameterAreaSelectDialog::Choice() const {
  return ui_->comboArea->currentText().toStdString();
}

}  // namespace vistrel
