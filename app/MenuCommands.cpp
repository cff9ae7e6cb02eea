#include "app/MenuCommands.h"

#include <QtWidgets/QLayout>
#include <QtWidgets/QMenuBar>
#include <algorithm>
#include <string>

#include "app/MainMenu.h"
#include "core/Interfaces.h"

namespace vistrel {

MenuCommands::MenuCommands(QWidget& window, IMessagePresenter& messages)
    : QObject(&window), messages_(messages) {
  Build(window);
}

void MenuCommands::Build(QWidget& window) {
  menuBar_ = new QMenuBar(&window);
  window.layout()->setMenuBar(menuBar_);
  std::map<std::string, QMenu*> popups;
  for (const char* title : kMenuTitles)
    popups[title] = menuBar_->addMenu(title);
  utilityMenu_ = popups["Utility(&U)"];
  for (const MenuItem& item : kMenuItems) {
    QMenu* popup = popups[item.popup];
    std::string text = item.text;
    if (const size_t slash = text.find('/'); slash != std::string::npos) {
      const QString sub = QString::fromStdString(text.substr(0, slash));
      QMenu* submenu = popup->findChild<QMenu*>(sub);
      if (submenu == nullptr) {
        submenu = popup->addMenu(sub);
        submenu->setObjectName(sub);
      }
      popup = submenu;
      text = text.substr(slash + 1);
    }
    QAction* action = popup->addAction(QString::fromStdString(text));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    actions_[id] = action;
  }
  for (const MenuShortcut& shortcut : kMenuShortcuts)
    actions_.at(shortcut.id)->setShortcut(QKeySequence(shortcut.keys));
}

void MenuCommands::ShowShortcuts() {
  std::string text;
  for (const MenuShortcut& shortcut : kMenuShortcuts)
    text += std::string(shortcut.keys) + ": " + shortcut.what + "\n";
  text +=
      "Alt+underlined letter: open a menu, or go to the field beside a caption\n"
      "Up, Down: step the number field that has the focus\n"
      "Escape: exit (asks first); in a field it does nothing";
  messages_.ShowMessage(text, "Keyboard shortcuts", MessageIcon::Information);
}

QAction* MenuCommands::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool MenuCommands::Run(int id) {
  if (id == menu::kShortcuts) {
    ShowShortcuts();
    return true;
  }
  return std::ranges::any_of(parts_, [id](IMenuPart* part) { return part->Run(id); });
}

}  // namespace vistrel
