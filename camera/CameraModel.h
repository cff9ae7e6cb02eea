#pragma once

#include <string>
#include <vector>

namespace vistrel {

class Command;
class IMessagePresenter;

// The connected camera's model: code 0..3 for the known models, 4 for any other.
struct CameraModel {
  static constexpr int kUnsupported = 4;

  int code = kUnsupported;
  std::string name;

  bool IsRlFamily() const { return code == 0 || code == 1; }
  bool IsMonochrome() const { return code == 2; }
  bool IsColour() const { return code == 0 || code == 1 || code == 3; }
  int LargestWidth() const;
  int LargestHeight() const;
};

// The model code for a name the camera reported (4 when it is none of the known ones).
int ModelCodeFor(const std::string& name);
// The names of the known models, by model code.
std::vector<std::string> KnownModelNames();
// The entries of the model choice on the factory page for a model code, and the one selected.
std::vector<std::string> ModelChoiceEntries(int code);
int ModelChoiceSelection(int code);

// Queries the model (1000 ms). False when the camera did not answer; the record is then kept.
// An unknown model is reported and taken as code 4.
bool CheckModel(Command& engine, IMessagePresenter& messages, CameraModel& model);

}  // namespace vistrel
