#pragma once

#include <string>
#include <vector>

#include "camera/models/ModelCatalogue.h"
#include "core/Outcome.h"

namespace vistrel {

class Command;
class IMessagePresenter;

// The connected camera's model, by its code in the model catalogue (kUnsupported for a camera
// that reported none of the known names).
struct CameraModel {
  static constexpr int kUnsupported = CodeOf(Model::Other);

  int code = kUnsupported;
  std::string name;

  const ModelRecord& Record() const { return RecordForCode(code); }
  Model Kind() const { return Record().model; }
  bool IsRlFamily() const { return Record().family == ModelFamily::Rl; }
  bool IsMonochrome() const { return Record().colour == SensorColour::Monochrome; }
  bool IsColour() const { return Record().colour == SensorColour::Colour; }
  int LargestWidth() const { return Record().largestWidth; }
  int LargestHeight() const { return Record().largestHeight; }
};

// The model code for a name the camera reported (kUnsupported when it is none of the known
// ones).
int ModelCodeFor(const std::string& name);
// The names of the known models, by model code.
std::vector<std::string> KnownModelNames();
// The names a camera's model id can be rewritten to, in catalogue order.
std::vector<std::string> WritableModelNames();
// The entries of the model choice on the factory page for a model code, and the one selected.
std::vector<std::string> ModelChoiceEntries(int code);
int ModelChoiceSelection(int code);

// Queries the model (1000 ms). Not Done when the camera did not answer; the record is then
// kept. An unknown model is reported and taken as kUnsupported.
Outcome CheckModel(Command& engine, IMessagePresenter& messages, CameraModel& model);

}  // namespace vistrel
