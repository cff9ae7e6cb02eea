#include "app/CommunicationHost.h"

#include "app/CameraFileActions.h"
#include "app/MainStatusBar.h"
#include "app/PageHooks.h"
#include "app/PortWatch.h"
#include "app/VistrelDlg.h"

namespace vistrel {

void CommunicationHost::SetChannelOk(bool ok) {
  parts_.dialog.SetChannelOk(ok);
}

bool CommunicationHost::CheckModel() {
  const bool answered = services_.session.CheckModelAgain() == Outcome::Done;
  parts_.hooks.OfferControlsForModel(services_.session.Model());
  return answered;
}

void CommunicationHost::ReadAllSettings() {
  parts_.dialog.ReloadCamera();
}

int CommunicationHost::ControlMode() const {
  return parts_.dialog.ControlMode();
}

void CommunicationHost::SaveSettingFile() {
  parts_.files.SaveSettingFileAs(true);
}

void CommunicationHost::LoadSettingFile() {
  parts_.files.LoadSettingFile();
}

void CommunicationHost::StoreUserSet(int userSet) {
  parts_.files.StoreUserSet(userSet);
}

void CommunicationHost::LoadUserSet(int userSet) {
  parts_.files.LoadUserSet(userSet);
}

bool CommunicationHost::CameraAnswers(int limitMs) {
  return parts_.watch.CameraAnswers(limitMs);
}

void CommunicationHost::ShowSearchResult(const std::string& result) {
  parts_.status.ShowNote(QString::fromStdString(result));
}

}  // namespace vistrel
