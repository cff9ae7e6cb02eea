// The LUT part of the main dialog: the three editors, the LUT menu and the page's
// "Open LUT Table" button.

#include <QtCore/QThread>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QComboBox>
#include <filesystem>

#include "app/MainMenu.h"
#include "app/VistrelDlg.h"
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

void ShowEditor(CLUTDlg* editor) {
  editor->showNormal();
  editor->raise();
  editor->activateWindow();
}

}  // namespace

void CVistrelDlg::CreateLutEditors() {
  for (int c = 0; c < kLutChannels; ++c) {
    auto* editor = new CLUTDlg(c, services_.session, services_.notifier, services_.locks, this);
    const int offset = kEditorCascade * (c + 1);
    editor->move(editor->pos() + QPoint(offset, offset));
    editor->hide();
    lutEditors_[static_cast<size_t>(c)] = editor;
  }
  UpdateLutMenu();
}

void CVistrelDlg::UpdateLutMenu() {
  const bool mono = services_.session.Model().IsMonochrome();
  for (int c = 0; c < kLutChannels; ++c) {
    QAction* item = MenuAction(kEditorMenuItems[c]);
    if (item == nullptr)
      continue;
    item->setVisible(!mono || c == kLutGreenChannel);
    item->setText(mono ? kMonochromeEditorTitle
                       : kLutChannelInfo[static_cast<size_t>(c)].editorTitle);
  }
}

void CVistrelDlg::ShowMonochromeEditor(bool show) {
  CLUTDlg* green = LutEditor(kLutGreenChannel);
  if (!show) {
    green->hide();
    return;
  }
  ShowEditor(green);
  green->setWindowTitle(kMonochromeEditorTitle);
}

void CVistrelDlg::HideLutEditors() {
  for (CLUTDlg* editor : lutEditors_)
    editor->hide();
}

void CVistrelDlg::OpenLutTableFromPage() {
  const auto* mode = qobject_cast<QComboBox*>(registry_->FindControl(ctl::LUTC));
  if (mode == nullptr || mode->currentIndex() != ctl::LutModeUser)
    return;
  if (services_.session.Model().IsMonochrome()) {
    ShowMonochromeEditor(true);
    return;
  }
  for (CLUTDlg* editor : lutEditors_)
    ShowEditor(editor);
}

bool CVistrelDlg::RunLutMenuCommand(int id) {
  switch (id) {
    case menu::kLoadAllLutTables: {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      LoadAllLutTables();
      QGuiApplication::restoreOverrideCursor();
      QThread::msleep(kPauseAfterReadAllMs);
      return true;
    }
    case menu::kOpenLutFile:
      OpenLutFile();
      return true;
    case menu::kSaveLutFile:
      SaveLutFile();
      return true;
    case menu::kLutEditorRed:
    case menu::kLutEditorBlue:
      ShowEditor(LutEditor(id == menu::kLutEditorRed ? 0 : 2));
      return true;
    case menu::kLutEditorGreen:
      if (services_.session.Model().IsMonochrome())
        ShowMonochromeEditor(true);
      else
        ShowEditor(LutEditor(kLutGreenChannel));
      return true;
    default:
      return false;
  }
}

Outcome CVistrelDlg::LoadAllLutTables() {
  Outcome outcome = Outcome::Done;
  for (CLUTDlg* editor : lutEditors_) {
    outcome = editor->ReadTableFromCamera();
    if (outcome != Outcome::Done)
      break;
  }
  return outcome;
}

void CVistrelDlg::OpenLutFile() {
  const std::string folder = std::filesystem::current_path().string();
  const std::optional<std::string> path =
      services_.messages.ChooseFile(false, folder, kGammaExtension, kGammaOpenFilter);
  if (!path || path->empty())
    return;
  LutTableSet tables;
  for (int c = 0; c < kLutChannels; ++c)
    tables[static_cast<size_t>(c)] = LutEditor(c)->Values();
  if (!LoadGammaCsv(*path, tables, services_.messages).ok)
    return;
  for (int c = 0; c < kLutChannels; ++c) {
    LutEditor(c)->Curve().Values() = tables[static_cast<size_t>(c)];
    LutEditor(c)->ShowTable();
  }
}

void CVistrelDlg::SaveLutFile() {
  if (LoadAllLutTables() != Outcome::Done)
    return;
  const std::string folder = std::filesystem::current_path().string();
  const std::optional<std::string> path =
      ChooseFileToWrite(services_.messages, folder, kGammaExtension, kGammaSaveFilter);
  if (!path)
    return;
  LutTableSet tables;
  for (int c = 0; c < kLutChannels; ++c)
    tables[static_cast<size_t>(c)] = LutEditor(c)->Values();
  SaveGammaCsv(*path, tables, services_.messages);
}

}  // namespace vistrel
