#pragma once

#include <QtCore/QObject>
#include <map>
#include <vector>

#include "app/MenuPart.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace vistrel {

class IMessagePresenter;

// The menu bar of the main window, with the Alt letters and keys of its commands. A command
// goes to the first part that takes it; the list of keys is the menu's own.
class MenuCommands final : public QObject {
 public:
  // `window` gets the menu bar in its layout.
  MenuCommands(QWidget& window, IMessagePresenter& messages);

  // Adds a part that carries out commands; parts are asked in the order they were added.
  void AddPart(IMenuPart& part) { parts_.push_back(&part); }
  // Runs a command by id; false for an id no part takes.
  bool Run(int id);
  QAction* Action(int id) const;
  QMenuBar* MenuBar() const { return menuBar_; }
  QMenu* UtilityMenu() const { return utilityMenu_; }

 private:
  void Build(QWidget& window);
  // The keys of the menu commands, the Alt letters and the keys of the number fields.
  void ShowShortcuts();

  IMessagePresenter& messages_;
  QMenuBar* menuBar_ = nullptr;
  QMenu* utilityMenu_ = nullptr;
  std::map<int, QAction*> actions_;
  std::vector<IMenuPart*> parts_;
};

}  // namespace vistrel
