#include "camera/CameraModel.h"

#include <algorithm>

#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

int ModelCodeFor(const std::string& name) {
  return CodeOf(ModelNamed(name));
}

std::vector<std::string> KnownModelNames() {
  std::vector<std::string> names;
  for (const ModelRecord& record : KnownModelRecords())
    names.emplace_back(record.name);
  return names;
}

std::vector<std::string> WritableModelNames() {
  std::vector<std::string> names;
  for (const ModelRecord& record : KnownModelRecords()) {
    if (record.modelIdWritable)
      names.emplace_back(record.name);
  }
  return names;
}

std::vector<std::string> ModelChoiceEntries(int code) {
  const ModelRecord& own = RecordForCode(code);
  if (own.model == Model::Other)
    return {};
  if (!own.modelIdWritable)
    return {own.name};
  std::vector<std::string> entries;
  for (const ModelRecord& record : KnownModelRecords()) {
    if (record.modelIdWritable && record.family == own.family)
      entries.emplace_back(record.name);
  }
  return entries;
}

int ModelChoiceSelection(int code) {
  const std::vector<std::string> entries = ModelChoiceEntries(code);
  const auto own = std::ranges::find(entries, RecordForCode(code).name);
  return own == entries.end() ? -1 : static_cast<int>(own - entries.begin());
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
