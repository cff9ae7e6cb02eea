#include "ui/IdentityWidgets.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace vistrel {
namespace {

QString NameOf(int ctrlId) {
  return QStringLiteral("c%1").arg(ctrlId);
}

}  // namespace

QLineEdit* MakeField(QWidget* parent, int ctrlId, int maxLength) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(NameOf(ctrlId));
  if (maxLength > 0)
    field->setMaxLength(maxLength);
  return field;
}

QPushButton* MakeButton(QWidget* parent, int ctrlId, const char* text) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(NameOf(ctrlId));
  button->setAutoDefault(false);
  return button;
}

QLabel* MakeStatusStrip(QWidget* parent, int ctrlId) {
  auto* strip = new QLabel(parent);
  strip->setObjectName(NameOf(ctrlId));
  return strip;
}

std::string FromQt(const QString& text) {
  // Characters beyond Latin-1 become '?' in toLatin1(); keep them unsendable instead.
  std::string bytes;
  for (const QChar c : text)
    bytes += c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '\x7f';
  return bytes;
}

}  // namespace vistrel
