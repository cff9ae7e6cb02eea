#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/TimeLimits.h"
#include "params/TableBoundPath.h"

namespace vistrel {

// Time limits of the handlers' exchanges.
inline constexpr int kHandlerQueryMs = limits::kReplyMs;
inline constexpr int kHandlerShortMs = limits::kShortReplyMs;
inline constexpr int kHandlerLongMs = limits::kLongSettingMs;
inline constexpr int kHandlerQuickMs = limits::kQuickReplyMs;

// Exposure times the camera takes.
inline constexpr int32_t kExposureMin = 1;
inline constexpr int32_t kExposureMax = 8000000;

// The whole decimal number a field holds ("-12", " 40 "); nothing for "abc", "12abc" or "".
std::optional<int32_t> ParseWholeNumber(const std::string& text);

// Whether the table has a row for the control (without reporting when it has none).
bool HasTableRow(const ParameterTable& table, int ctrlId);

// Shows the table's value of a number field again in the field and its up-down control.
void RestoreField(HandlerContext& context, int editId);

// The selected entry of a choice control, 0 when none is selected.
int SelectionOf(const IControlPanel& panel, int ctrlId);

// Queries the command of a control's row (2500 ms); on an answer stores and shows the value.
bool RequeryParameter(HandlerContext& context, int ctrlId);

// Sends "NAME?" as a raw line (2500 ms); on an answer shows the value in `ctrlId`, stores it
// and marks every row sent. The value is handed back.
std::optional<int32_t> RawRequery(HandlerContext& context, const std::string& name, int ctrlId);
// Sends "NAME?" as a raw line (2500 ms) and hands back the value.
std::optional<int32_t> RawQuery(HandlerContext& context, const std::string& name);

}  // namespace vistrel
