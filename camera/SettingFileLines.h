#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "camera/CameraSession.h"
#include "core/Outcome.h"
#include "core/ReplyFields.h"

namespace vistrel {

// Why a line of a setting file is not sent to the camera.
enum class SkipReason {
  Malformed,          // not NAME=VALUE, or over the longest line
  UnknownCommand,     // the name is no command
  NotInFiles,         // a command that setting files do not carry
  NotForModel,        // a parameter the connected model does not have
  FactoryInUserMode,  // a factory parameter while the control mode is user
};

const char* SkipReasonText(SkipReason reason);

// Says that the file at `path` could not be opened, and why when `reason` is given.
void ReportFileOpenFailure(CameraSession& session, const std::string& path,
                           const std::string& reason = {});

// The file name that stands for standard input, as command-line tools take it.
inline constexpr const char* kStandardInputFile = "-";

// Reads the lines of the setting file at `path` (line ends removed); kStandardInputFile reads
// standard input. BadInput after reporting a file that cannot be read or is no regular file
// of a setting file's size.
Outcome ReadSettingFileLines(CameraSession& session, const std::string& path,
                             std::vector<std::string>& lines);

// What loading does with one line of a setting file.
struct LinePlan {
  // Blank: nothing to send (an empty line, or a row the file writer put in without a name).
  enum class Kind { Blank, Skip, Model, Text, Pair, Parameter };
  Kind kind = Kind::Blank;
  SkipReason reason = SkipReason::Malformed;  // for Skip
  ReplyFields fields;                         // the parsed line
  int commandId = -1;
  int ctrlId = -1;    // for Parameter: the row it updates
  int32_t value = 0;  // for Parameter, and the entry's value for Pair
  int32_t index = 0;  // for Pair: the table entry
  std::string text;   // for Model and Text
};

// Plans one line (its line end already removed) for the session's model and control mode.
LinePlan PlanLine(const CameraSession& session, std::string_view line);

// The line a plan sends to the camera, without its line end ("NAME=VALUE").
std::string SentText(const LinePlan& plan);

// A line of a file that was not sent, or that the camera did not take.
struct FileLineNote {
  int lineNumber;  // from 1
  std::string line;
  SkipReason reason;  // for skipped lines
};

// What a load did with the lines of a file.
struct LoadReport {
  std::vector<FileLineNote> skipped;
  std::vector<FileLineNote> refused;  // sent and refused (reason unused)
  std::vector<FileLineNote> sent;     // the lines as they went to the camera (reason unused)
  bool otherModel = false;            // nothing was sent: the file is for another model
};

// What a whole file holds for the session's camera, judged before anything is sent.
struct FileSurvey {
  std::string model;        // the model a first line MD00=NAME names; "" without one
  int modelLine = 0;        // that line's number (from 1)
  bool otherModel = false;  // the model named is not the connected camera's
  bool anySetting = false;  // a line besides the model line would be sent
};

// Plans every line of a file (without sending anything) for what a load needs to know first.
FileSurvey SurveyFile(const CameraSession& session, const std::vector<std::string>& lines);

// "PATH\nThe file holds no setting for the MODEL camera." for a file with no line to send.
std::string NoSettingMessage(const CameraSession& session, const std::string& path);
// "PATH\nThe file is for a MODEL camera; the connected camera is a MODEL." (line named).
std::string OtherModelMessage(const CameraSession& session, const std::string& path,
                              const FileSurvey& survey);

}  // namespace vistrel
