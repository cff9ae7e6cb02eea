#pragma once

#include <QtCore/QObject>
#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace vistrel {

class CVistrelDlg;

// The menu bar of the main dialog and what its commands do: each command goes to the part of
// the dialog that carries it out.
class MenuCommands final : public QObject {
 public:
  explicit MenuCommands(CVistrelDlg& dialog);

  // Runs a command by id; false for an id the menu does not know.
  bool Run(int id);
  QAction* Action(int id) const;
  QMenuBar* MenuBar() const { return menuBar_; }
  QMenu* UtilityMenu() const { return utilityMenu_; }

 private:
  void Build();

  CVistrelDlg& dialog_;
  QMenuBar* menuBar_ = nullptr;
  QMenu* utilityMenu_ = nullptr;
  std::map<int, QAction*> actions_;
};

}  // namespace vistrel
