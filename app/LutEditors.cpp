#include "app/LutEditors.h"

#include <QtCore/QThread>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QComboBox>
#include <filesystem>

#include "app/ControlRegistry.h"
#include "app/MainMenu.h"
#include "app/MenuCommands.h"
#include "camera/GammaFile.h"
#include "camera/LutTransfer.h"
#include "core/ControlIds.h"
#include "core/TimeLimits.h"
#include "ui/LUTDlg.h"
#include "ui/LogFiles.h"

namespace vistrel {
namespace {

// How far each editor is moved from the last one when the editors are created.
constexpr int kEditorCascade = 50;
constexpr int kPauseAfterReadAllMs = limits::kLinePauseMs;
constexpr int kEditorMenuItems[kLutChannels] = {menu::kLutEditorRed, menu::kLutEditorGreen,
                                                menu::kLutEditorBlue};
// The green editor's item while the model is monochrome, with its Alt letter.
constexpr const char* kMonochromeMenuText = "LUT Setting for &Monochrome";

void ShowEditor(CLUTDlg* editor) {
  editor->showNormal();
  editor->raise();
  editor->activateWindow();
}

}  // namespace

LutEditors::LutEditors(AppServices& services, ControlRegistry& registry, QWidget* parent)
    : services_(services), registry_(registry) {
  for (int c = 0; c < kLutChannels; ++c) {
    auto* editor = new CLUTDlg(c, services_.session, services_.notifier, services_.locks, parent);
    const int offset = kEditorCascade * (c + 1);
    editor->move(editor->pos() + QPoint(offset, offset));
    editor->hide();
    editors_[static_cast<size_t>(c)] = editor;
  }
}

void LutEditors::UpdateMenu(const MenuCommands& menu) {
  const bool mono = services_.session.Model().IsMonochrome();
  for (int c = 0; c < kLutChannels; ++c) {
    QAction* item = menu.Action(kEditorMenuItems[c]);
    if (item == nullptr)
      continue;
    item->setVisible(!mono || c == kLutGreenChannel);
    item->setText(mono ? kMonochromeMenuText : MenuItemText(kEditorMenuItems[c]));
  }
}

void LutEditors::ShowMonochromeEditor(bool show) {
  CLUTDlg* green = Editor(kLutGreenChannel);
  if (!show) {
    green->hide();
    return;
  }
  ShowEditor(green);
  green->setWindowTitle(kMonochromeEditorTitle);
}

void LutEditors::HideAll() {
  for (CLUTDlg* editor : editors_)
    editor->hide();
}

void LutEditors::OpenFromPage() {
  const auto* mode = qobject_cast<QComboBox*>(registry_.FindControl(ctl::LUTC));
  if (mode == nullptr || mode->currentIndex() != ctl::LutModeUser)
    return;
  if (services_.session.Model().IsMonochrome()) {
    ShowMonochromeEditor(true);
    return;
  }
  for (CLUTDlg* editor : editors_)
    ShowEditor(editor);
}

bool LutEditors::Run(int menuId) {
  switch (menuId) {
    case menu::kLoadAllLutTables: {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      (void)LoadAllTables();  // each editor says what went wrong
      QGuiApplication::restoreOverrideCursor();
      QThread::msleep(kPauseAfterReadAllMs);
      return true;
    }
    case menu::kOpenLutFile:
      OpenFile();
      return true;
    case menu::kSaveLutFile:
      SaveFile();
      return true;
    case menu::kLutEditorRed:
    case menu::kLutEditorBlue:
      ShowEditor(Editor(menuId == menu::kLutEditorRed ? 0 : 2));
      return true;
    case menu::kLutEditorGreen:
      if (services_.session.Model().IsMonochrome())
        ShowMonochromeEditor(true);
      else
        ShowEditor(Editor(kLutGreenChannel));
      return true;
    default:
      return false;
  }
}

Outcome LutEditors::LoadAllTables() {
  Outcome outcome = Outcome::Done;
  for (CLUTDlg* editor : editors_) {
    outcome = editor->ReadTableFromCamera();
    if (outcome != Outcome::Done)
      break;
  }
  return outcome;
}

void LutEditors::OpenFile() {
  const std::string folder = std::filesystem::current_path().string();
  const std::optional<std::string> path =
      services_.messages.ChooseFile(false, folder, kGammaExtension, kGammaOpenFilter);
  if (!path || path->empty())
    return;
  LutTableSet tables;
  for (int c = 0; c < kLutChannels; ++c)
    tables[static_cast<size_t>(c)] = Editor(c)->Values();
  if (!LoadGammaCsv(*path, tables, services_.messages).ok)
    return;
  for (int c = 0; c < kLutChannels; ++c) {
    Editor(c)->Curve().Values() = tables[static_cast<size_t>(c)];
    Editor(c)->ShowTable();
  }
}

void LutEditors::SaveFile() {
  if (LoadAllTables() != Outcome::Done)
    return;
  const std::string folder = std::filesystem::current_path().string();
  const std::optional<std::string> path =
      ChooseFileToWrite(services_.messages, folder, kGammaExtension, kGammaSaveFilter);
  if (!path)
    return;
  LutTableSet tables;
  for (int c = 0; c < kLutChannels; ++c)
    tables[static_cast<size_t>(c)] = Editor(c)->Values();
  SaveGammaCsv(*path, tables, services_.messages);
}

}  // namespace vistrel
