#pragma once

#include <QtCore/QObject>
#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace vistrel {

class CVistrelDlg;
class IMessagePresenter;

// The menu bar of the main dialog, with the Alt letters and keys of its commands, and what
// its commands do: each command goes to the part of the dialog that carries it out.
class MenuCommands final : public QObject {
 public:
  MenuCommands(CVistrelDlg& dialog, IMessagePresenter& messages);

  // Runs a command by id; false for an id the menu does not know.
  bool Run(int id);
  QAction* Action(int id) const;
  QMenuBar* MenuBar() const { return menuBar_; }
  QMenu* UtilityMenu() const { return utilityMenu_; }

 private:
  void Build();
  // The keys of the menu commands, the Alt letters and the keys of the number fields.
  void ShowShortcuts();

  CVistrelDlg& dialog_;
  IMessagePresenter& messages_;
  QMenuBar* menuBar_ = nullptr;
  QMenu* utilityMenu_ = nullptr;
  std::map<int, QAction*> actions_;
};

}  // namespace vistrel
