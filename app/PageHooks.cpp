#include "app/PageHooks.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QComboBox>
#include <algorithm>

#include "app/ControlDispatch.h"
#include "app/ControlRegistry.h"
#include "app/VistrelDlg.h"
#include "core/ControlIds.h"
#include "params/EntryTableHandlers.h"
#include "params/ModelControls.h"
#include "params/PageRefresh.h"
#include "ui/LogFiles.h"

namespace vistrel {

void DialogPageHooks::OfferControlsForModel(const CameraModel& model) {
  registry_.Withhold(ControlsLackingForModel(services_.table, model.code));
}

void DialogPageHooks::LockWindows(bool locked) {
  if (locked)
    services_.locks.DisableAll();
  else
    services_.locks.EnableAll();
}

void DialogPageHooks::PumpEvents() {
  QCoreApplication::processEvents();
}

void DialogPageHooks::ActivateMainWindow() {
  dialog_.activateWindow();
}

void DialogPageHooks::FillModelChoice(const std::vector<std::string>& entries, int selected) {
  std::vector<ChoiceItem> items;
  for (size_t i = 0; i < entries.size(); ++i)
    items.push_back({entries[i], static_cast<int32_t>(i)});
  registry_.RefillChoice(ctl::ModelChoice, items);
  SelectChoiceEntry(ctl::ModelChoice, selected);
}

void DialogPageHooks::SelectChoiceEntry(int ctrlId, int entry) {
  if (auto* combo = qobject_cast<QComboBox*>(registry_.FindControl(ctrlId)))
    combo->setCurrentIndex(entry);
}

void DialogPageHooks::FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int selected) {
  std::vector<ChoiceItem> items;
  for (const ChoiceEntry& entry : entries)
    items.push_back({entry.text, entry.value});
  registry_.RefillChoice(ctl::CameraBaud, items);
  SelectChoiceEntry(ctl::CameraBaud, selected);
}

void DialogPageHooks::ShowVideoMode(int value) {
  PageRefresh::ShowVideoMode(registry_, value);
}

void DialogPageHooks::PreparePagesForModel(const CameraModel& model) {
  // First, so that the page setup for the model sees only the controls the model has.
  OfferControlsForModel(model);
  HandlerContext context = ContextOf(services_, registry_);
  PageRefresh::PreparePagesForModel(context);
}

void DialogPageHooks::ApplySequencerIndex() {
  // The entry of the index the page shows, read after every read-all pass.
  if (!dialog_.ChannelOk())
    return;
  const std::optional<int32_t> index = registry_.ReadControlValue(ctl::SequencerIndex);
  HandlerContext context = ContextOf(services_, registry_);
  EntryTableHandlers::ReadSequencerEntry(
      context, std::clamp(index.value_or(1), 1, CVistrelDlg::kSequencerEntries));
}

void DialogPageHooks::RefreshDependentStates() {
  HandlerContext context = ContextOf(services_, registry_);
  PageRefresh::RefreshDependentStates(context);
}

void DialogPageHooks::RefreshRemainingPages() {
  HandlerContext context = ContextOf(services_, registry_);
  PageRefresh::RefreshRemainingPages(context);
}

void DialogPageHooks::RefreshCameraLinkControls() {
  HandlerContext context = ContextOf(services_, registry_);
  PageRefresh::RefreshCameraLinkControls(context);
}

void DialogPageHooks::RefreshExposureModeControls() {
  HandlerContext context = ContextOf(services_, registry_);
  PageRefresh::RefreshExposureModeControls(context);
}

void DialogPageHooks::HideLutEditors() {
  dialog_.Luts().HideAll();
}

void DialogPageHooks::RememberCameraFileFolder(const std::string& folder) {
  services_.settings.SetStoredText(kStoredCameraFilePath, folder);
}

}  // namespace vistrel
