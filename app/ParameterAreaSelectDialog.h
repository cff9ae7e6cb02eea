#pragma once

#include <QtWidgets/QDialog>
#include <memory>
#include <string>
#include <vector>

#include "ui/OnlineStatusNotifier.h"

namespace Ui {
class ParameterAreaSelectDialog;
}

namespace vistrel {

// Asks which flash area to load or store.
class CParameterAreaSelectDialog final : public QDialog, public COnlineStatusUpdater {
  Q_OBJECT

 public:
  CParameterAreaSelectDialog(const std::vector<std::string>& choices, const QString& title,
                             OnlineStatusNotifier& notifier, QWidget* parent = nullptr);
  ~CParameterAreaSelectDialog() override;

  std::string Choice() const;

 private:
  std::unique_ptr<Ui::ParameterAreaSelectDialog> ui_;
  OnlineStatusNotifier& notifier_;
};

}  // namespace vistrel
