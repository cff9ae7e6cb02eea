#pragma once

#include "core/Interfaces.h"

class QWidget;

namespace vistrel {

// Message boxes and standard file dialogs. Questions about overwriting are asked by the
// callers (through AskYesNo), so the file dialog itself never asks.
class QtMessagePresenter final : public IMessagePresenter {
 public:
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  // While the program ends on a signal no window waits for the operator: messages go to
  // stderr, questions are answered no and file choices cancelled.
  void SetEnding(bool ending) { ending_ = ending; }
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> ChooseFile(bool forSaving, const std::string& folder,
                                        const std::string& defaultExtension,
                                        const std::string& filter) override;

  // "Name (*.ext)|*.ext|Other|*.o|" to the Qt form "Name (*.ext);;Other (*.o)".
  static std::string QtFilter(const std::string& filter);

 private:
  QWidget* parent_ = nullptr;
  bool ending_ = false;
};

// The wait cursor, held while an exchange runs.
class WaitCursor final : public IBusyIndicator {
 public:
  void BeginBusy() override;
  void EndBusy() override;

 private:
  int depth_ = 0;
};

}  // namespace vistrel
