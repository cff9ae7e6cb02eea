#include "camera/CameraModel.h"

#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

static_assert(CameraModel::kUnsupported == static_cast<int>(Model::Other));

int ModelCodeFor(const std::string& name) {
  return CodeOf(ModelNamed(name));
}

std::vector<std::string> KnownModelNames() {
  std::vector<std::string> names;
  for (const ModelRecord& record : KnownModelRecords())
    names.emplace_back(record.name);
  return names;
}

std::vector<std::string> ModelChoiceEntries(int code) {
  const ModelRecord& record = RecordForCode(code);
  return {record.modelChoice.begin(), record.modelChoice.end()};
}

int ModelChoiceSelection(int code) {
  return RecordForCode(code).modelChoiceSelection;
}

Outcome CheckModel(Command& engine, IMessagePresenter& messages, CameraModel& model) {
  std::string name;
  if (const Outcome read = engine.GetText(cmd::MD, name, limits::kShortReplyMs);
      read != Outcome::Done)
    return read;
  model.code = ModelCodeFor(name);
  model.name = name;
  if (model.code == CameraModel::kUnsupported) {
    messages.ShowMessage("Unsupported model: \"" + name + "\"", "", MessageIcon::Exclamation);
  }
  return Outcome::Done;
}

}  // namespace vistrel
