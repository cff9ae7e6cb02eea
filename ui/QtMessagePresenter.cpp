#include "ui/QtMessagePresenter.h"

#include "core/TextEscape.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>
#include <cstdio>
#include <vector>

namespace vistrel {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void QtMessagePresenter::ShowMessage(const std::string& text, const std::string& caption,
                                     MessageIcon icon) {
  if (ending_) {
    std::fprintf(stderr, "vistrel: %s: %s\n", caption.c_str(),
                 EscapeControlsInMessage(text).c_str());
    return;
  }
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption),
                  QString::fromStdString(EscapeControlsInMessage(text)), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtMessagePresenter::AskYesNo(const std::string& text, const std::string& caption) {
  if (ending_)
    return false;
  return QMessageBox::question(parent_, QString::fromStdString(caption),
                               QString::fromStdString(EscapeControlsInMessage(text)),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

std::string QtMessagePresenter::QtFilter(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < filter.size()) {
    const size_t bar = filter.find('|', start);
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
  std::string result;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string name = Trim(parts[i]);
    const std::string pattern = Trim(parts[i + 1]);
    if (name.empty() && pattern.empty())
      continue;
    if (!result.empty())
      result += ";;";
    // Qt takes the patterns from the parentheses of the name.
    result += name.find('(') == std::string::npos ? name + " (" + pattern + ")" : name;
  }
  return result;
}

std::optional<std::string> QtMessagePresenter::ChooseFile(bool forSaving, const std::string& folder,
                                                          const std::string& defaultExtension,
                                                          const std::string& filter) {
  if (ending_)
    return std::nullopt;
  QFileDialog dialog(parent_);
  dialog.setDirectory(QString::fromStdString(folder));
  dialog.setNameFilter(QString::fromStdString(QtFilter(filter)));
  dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setOption(QFileDialog::ReadOnly, true);
  if (!defaultExtension.empty())
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

void WaitCursor::BeginBusy() {
  if (depth_++ == 0)
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void WaitCursor::EndBusy() {
  if (depth_ > 0 && --depth_ == 0)
    QApplication::restoreOverrideCursor();
}

}  // namespace vistrel
