#pragma once

#include <gtest/gtest.h>

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionGroupBox>
#include <algorithm>

#include "app/VistrelDlg.h"

namespace vistrel::test {

// The page control with the id, as the widget type the test expects; a failure when it is not.
template <typename T>
T* Control(CVistrelDlg& dialog, int ctrlId) {
  auto* control = qobject_cast<T*>(dialog.Registry().FindControl(ctrlId));
  EXPECT_NE(control, nullptr) << ctrlId;
  return control;
}

// Picks an entry as the operator would (the combo box reports "activated").
inline void Pick(QComboBox* combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// The width a text takes in a widget's font; mnemonic markers are not drawn.
inline int TextWidth(const QWidget& widget, QString text) {
  int widest = 0;
  for (const QString& line : text.remove('&').split('\n'))
    widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
  return widest;
}

// The room a button needs beside its text: the frame of a push button, the indicator of a
// check box or radio button.
inline int ButtonChrome(const QAbstractButton& button) {
  constexpr int kPushButtonMargins = 8;
  const QStyle* style = button.style();
  if (qobject_cast<const QCheckBox*>(&button) != nullptr)
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &button) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &button);
  if (qobject_cast<const QRadioButton*>(&button) != nullptr)
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &button) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &button);
  return kPushButtonMargins;
}

// The texts of a shown window that do not fit their room: button texts, one-line captions,
// group titles, read-only fields and the window title.
inline QStringList ClippedTexts(QWidget& window) {
  constexpr int kFieldMargins = 6;
  QStringList clipped;
  const auto shown = [&window](const QWidget* widget) { return widget->isVisibleTo(&window); };
  for (auto* button : window.findChildren<QAbstractButton*>()) {
    if (shown(button) &&
        TextWidth(*button, button->text()) + ButtonChrome(*button) > button->width())
      clipped << button->text();
  }
  for (auto* label : window.findChildren<QLabel*>()) {
    if (shown(label) && !label->wordWrap() &&
        TextWidth(*label, label->text()) > label->contentsRect().width())
      clipped << label->text();
  }
  for (auto* group : window.findChildren<QGroupBox*>()) {
    if (!shown(group) || group->title().isEmpty())
      continue;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxLabel;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    if (title.right() >= group->width())
      clipped << group->title();
  }
  for (auto* field : window.findChildren<QLineEdit*>()) {
    if (shown(field) && field->isReadOnly() &&
        TextWidth(*field, field->text()) + kFieldMargins > field->contentsRect().width())
      clipped << field->text();
  }
  if (TextWidth(window, window.windowTitle()) > window.width())
    clipped << window.windowTitle();
  return clipped;
}

}  // namespace vistrel::test
