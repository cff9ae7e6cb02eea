#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Interfaces.h"
#include "core/Outcome.h"

namespace vistrel {

class Command;

// How a control presents its parameter.
enum class ControlKind : int32_t { Check = 1, Choice = 4, Number = 6, Action = 7 };

// Whether and where a parameter is stored.
enum class ParamClass : int32_t { NotStored = 0, User = 1, Factory = 2 };

// One bound control: the command that reads and writes it, its presentation, its class,
// range, the value the program holds and the value last known to be in the camera.
struct ParameterEntry {
  int ctrlId;
  int32_t commandId;
  ControlKind kind;
  int32_t rangeKind;
  ParamClass paramClass;
  int32_t minimum;
  int32_t maximum;
  int32_t value;     // current value
  int32_t lastSent;  // last value known to be in the camera
  int32_t inFile;    // 1 when written to and read from setting files
};

// The largest blemish coordinates a model takes, when its sensor is smaller than the table's
// ranges allow.
struct BlemishLimits {
  int32_t maxX;
  int32_t maxY;
};

// The table of every control that shows a camera parameter. One instance per program,
// created at start-up and passed to whoever needs it. Unknown ids are programming errors:
// they are reported through the message presenter and the operation returns -1 or false.
class ParameterTable {
 public:
  static constexpr int kRowCount = 362;

  explicit ParameterTable(IMessagePresenter& messages);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ParameterEntry& Row(int index) const { return rows_[static_cast<size_t>(index)]; }

  int32_t GetDataValue(int ctrlId);
  bool SetDataValue(int ctrlId, int32_t value);
  int32_t GetLastSentValue(int ctrlId);
  void MarkAllSent();
  int32_t ToCmdId(int ctrlId);
  int CtrlId2TblIndex(int ctrlId);
  int ToCtrlId(int commandId);
  bool IsFactoryParam(int ctrlId);
  bool GetRange(int ctrlId, int32_t& minimum, int32_t& maximum);
  bool SetRange(int ctrlId, int32_t minimum, int32_t maximum);
  int IsInFile(int ctrlId) const;
  bool IsReadable(int rowIndex) const;
  int CountReadable();
  int CountReadableUser();

  void ShowAll(IParameterView& view) const;
  void ShowChangedParameters(IParameterView& view) const;
  // Sends every changed row in table order, stopping at the first failure; each sent row is
  // read back (2500 ms) and shown. Done when every changed row was confirmed, else how the
  // failed setting ended. After a failure the failed row (asked again when the camera
  // refused it) and the rows not sent hold and show the values last known to be in the
  // camera; none of them counts as sent.
  Outcome WriteChangedParameters(Command& engine, IParameterView& view, int timeoutMs);
  // Gives the blemish coordinate rows the model's limits (the table's own ones for a model
  // without limits, so switching models both ways works), then applies the ranges.
  void AdjustRangesForModel(const std::optional<BlemishLimits>& limits, IParameterView& view);

 private:
  int FindRow(int ctrlId) const;  // -1 when not there, no report
  // `outcome`: how the setting of row `failed` ended.
  void RevertUnsent(Command& engine, IParameterView& view, size_t failed, Outcome outcome);
  void Report(const std::string& text);

  IMessagePresenter& messages_;
  std::vector<ParameterEntry> rows_;
  int countReadable_ = -1;
  int countReadableUser_ = -1;
};

// The rows as they stand at program start, in table order.
const std::vector<ParameterEntry>& InitialParameterRows();

}  // namespace vistrel
