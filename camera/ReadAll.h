#pragma once

#include <functional>
#include <string>
#include <vector>

#include "camera/CameraSession.h"
#include "camera/PassOutcome.h"

namespace vistrel {

// Whether the read-all pass reads the row at `rowIndex` for the session's model and mode.
bool IsRowReadForModel(const CameraSession& session, int rowIndex);

// Reads every parameter the model supports into the table, with progress. The pass ends
// early when the channel is lost or the camera leaves several queries in a row unanswered;
// the rows it did not get to count as unread. Rows not read keep their previous values.
ReadAllResult ReadAll(CameraSession& session);

// ReadAll as part of a longer pass whose earlier exchanges `pass` has noted.
ReadAllResult ReadAllRows(CameraSession& session, PassOutcome pass);

// The whole reload: model check, read-all, synchronising the table and the pages, and the
// camera's baud-rate choice. When the camera did not answer the model query the pass still
// runs with the previous model, as the pages must show something.
ReadAllResult Reload(CameraSession& session);

// What the operator calls the control of a table row (a caption); empty: its command's name.
using RowNamer = std::function<std::string(int row)>;

// The operator's message for a pass that could not read everything ("" when complete); the
// first rows not read are named by `nameOf`, or by their commands.
std::string UnreadMessage(const ReadAllResult& result, const RowNamer& nameOf = {});

// Why a setting file could not be written from the table after `result`.
std::string NotSavedMessage(const ReadAllResult& result);

// Fills the camera's baud-rate choice from the supported-rate mask and selects the current
// rate.
void FillCameraBaudChoice(CameraSession& session);

}  // namespace vistrel
