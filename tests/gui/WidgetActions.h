#pragma once

#include <gtest/gtest.h>

#include <QtWidgets/QComboBox>

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

}  // namespace vistrel::test
