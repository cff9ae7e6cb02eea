#pragma once

#include <QtCore/QString>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vistrel {

// Controls of the identity windows, named "c<id>" as the pages' controls are.
QLineEdit* MakeField(QWidget* parent, int ctrlId, int maxLength = 0);
QPushButton* MakeButton(QWidget* parent, int ctrlId, const char* text);
// The picture control that shows the link state.
QLabel* MakeStatusStrip(QWidget* parent, int ctrlId);

inline QString ToQt(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
// The field's text as it is sent: Latin-1, so that anything beyond it stays unsendable.
std::string FromQt(const QString& text);

}  // namespace vistrel
