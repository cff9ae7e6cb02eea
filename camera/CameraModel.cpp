#include "camera/CameraModel.h"

#include <array>

#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

struct KnownModel {
  const char* name;
  int width;
  int height;
};

constexpr std::array<KnownModel, 4> kKnownModels{{
    {"RL-4100T-VLNK", 1456, 1088},
    {"RL-8200T-VLNK", 2064, 1544},
    {"QX-70500M-VLNK", 4112, 3008},
    {"QX-70500C-VLNK", 4112, 3008},
}};

}  // namespace

int CameraModel::LargestWidth() const {
  return code >= 0 && code < 4 ? kKnownModels[static_cast<size_t>(code)].width : 4112;
}

int CameraModel::LargestHeight() const {
  return code >= 0 && code < 4 ? kKnownModels[static_cast<size_t>(code)].height : 3008;
}

int ModelCodeFor(const std::string& name) {
  for (size_t i = 0; i < kKnownModels.size(); ++i) {
    if (name == kKnownModels[i].name)
      return static_cast<int>(i);
  }
  return CameraModel::kUnsupported;
}

std::vector<std::string> KnownModelNames() {
  std::vector<std::string> names;
  for (const KnownModel& model : kKnownModels)
    names.emplace_back(model.name);
  return names;
}

std::vector<std::string> ModelChoiceEntries(int code) {
  switch (code) {
    case 0:
    case 1:
      return {"RL-4100T-VLNK", "RL-8200T-VLNK"};
    case 2:
      return {"QX-70500M-VLNK"};
    case 3:
      return {"QX-70500C-VLNK"};
    default:
      return {};
  }
}

int ModelChoiceSelection(int code) {
  if (code == 0 || code == 1)
    return code;
  if (code == 2 || code == 3)
    return code - 2;
  return -1;
}

bool CheckModel(Command& engine, IMessagePresenter& messages, CameraModel& model) {
  std::string name;
  if (!engine.GetText(cmd::MD, name, limits::kShortReplyMs))
    return false;
  model.code = ModelCodeFor(name);
  model.name = name;
  if (model.code == CameraModel::kUnsupported) {
    messages.ShowMessage("Unsupported model: \"" + name + "\"", "", MessageIcon::Exclamation);
  }
  return true;
}

}  // namespace vistrel
