#include "camera/SettingFileLines.h"

#include <iostream>
#include <sstream>

#include "camera/SettingFileLimits.h"
#include "camera/models/ModelCatalogue.h"
#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/Conversions.h"
#include "core/RegularFile.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

constexpr size_t kLongestLine = 255;

struct SkipText {
  SkipReason reason;
  const char* text;
};
constexpr SkipText kSkipTexts[] = {
    {SkipReason::Malformed, "malformed line"},
    {SkipReason::UnknownCommand, "unknown command"},
    {SkipReason::NotInFiles, "not a setting that files carry"},
    {SkipReason::NotForModel, "not for this model"},
    {SkipReason::FactoryInUserMode, "factory line in user mode"},
};

LinePlan Skip(LinePlan plan, SkipReason reason) {
  plan.kind = LinePlan::Kind::Skip;
  plan.reason = reason;
  return plan;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Whether the parameter line of `plan` is sent: some row bound to its command is written to
// files, takes part in the control mode and belongs to the model. A command can be bound to
// more than one row (a toggle button beside a number field), and the first of them need not
// be the one the model has.
LinePlan PlanParameter(const CameraSession& session, LinePlan plan) {
  const ParameterTable& table = session.Table();
  bool inFiles = false, factoryOnly = false;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId != plan.commandId)
      continue;
    if (plan.ctrlId < 0)
      plan.ctrlId = row.ctrlId;  // the first row of the command shows what the camera kept
    if (row.inFile == 0)
      continue;
    inFiles = true;
    if (row.paramClass == ParamClass::Factory && !session.FactoryMode()) {
      factoryOnly = true;
      continue;
    }
    if (ModelSupportsControl(session.Model().code, row.ctrlId)) {
      if (session.Model().IsMonochrome() && ExcludedForMonochrome(plan.commandId))
        return Skip(plan, SkipReason::NotForModel);
      plan.kind = LinePlan::Kind::Parameter;
      return plan;
    }
  }
  if (!inFiles)
    return Skip(plan, SkipReason::NotInFiles);
  return Skip(plan, factoryOnly ? SkipReason::FactoryInUserMode : SkipReason::NotForModel);
}

}  // namespace

const char* SkipReasonText(SkipReason reason) {
  for (const SkipText& entry : kSkipTexts) {
    if (entry.reason == reason)
      return entry.text;
  }
  return "skipped";
}

void ReportFileOpenFailure(CameraSession& session, const std::string& path,
                           const std::string& reason) {
  const std::string why = reason.empty() ? "" : " (" + reason + ")";
  session.Messages().ShowMessage(path + "\nCouldn't open this file" + why, "File Open Error",
                                 MessageIcon::Exclamation);
}

namespace {

// Standard input, no more than a setting file's size; false when it holds more.
bool ReadStandardInput(std::string& contents) {
  contents.resize(kMaxSettingFileBytes + 1);
  std::cin.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  contents.resize(static_cast<size_t>(std::cin.gcount()));
  return contents.size() <= kMaxSettingFileBytes;
}

}  // namespace

Outcome ReadSettingFileLines(CameraSession& session, const std::string& path,
                             std::vector<std::string>& lines) {
  std::string contents;
  if (path == kStandardInputFile) {
    if (!ReadStandardInput(contents)) {
      ReportFileOpenFailure(session, path, "standard input holds more than a setting file");
      return Outcome::BadInput;
    }
  } else if (const FileCheck read = ReadRegularFile(path, kMaxSettingFileBytes, contents);
             read.status == FileStatus::NotRegular || read.status == FileStatus::TooLarge) {
    ReportFileOpenFailure(session, path, read.Reason());
    return Outcome::BadInput;
  } else if (!read.Ok()) {
    ReportFileOpenFailure(session, path);
    return Outcome::BadInput;
  }
  std::istringstream in(contents);
  std::string line;
  while (std::getline(in, line)) {
    if (line.ends_with('\r'))
      line.pop_back();
    lines.push_back(line);
  }
  return Outcome::Done;
}

LinePlan PlanLine(const CameraSession& session, std::string_view line) {
  LinePlan plan;
  if (IsBlank(line))
    return plan;
  if (line.size() > kLongestLine || HasControlCharacter(line))
    return Skip(plan, SkipReason::Malformed);
  const bool known = ParseReply(line, plan.fields);
  if (plan.fields.separator != "=")
    return Skip(plan, SkipReason::Malformed);  // a query or no separator: no setting
  // The writer puts rows bound to no command in as "=value": they carry nothing to send.
  if (plan.fields.name.empty())
    return plan;
  if (!known)
    return Skip(plan, SkipReason::UnknownCommand);
  plan.commandId = plan.fields.commandId;
  plan.text = plan.fields.value.text;
  const int id = plan.commandId;
  if (id == cmd::MD00 || id == cmd::DV) {
    // The model name and the device version are identity data: only factory mode writes
    // them, as the identity commands do. The device version is a text ("1.2.3.4"); sending
    // it as a number would lose it.
    if (!session.FactoryMode())
      return Skip(plan, SkipReason::FactoryInUserMode);
    if (plan.text.empty())
      return Skip(plan, SkipReason::Malformed);
    plan.kind = id == cmd::MD00 ? LinePlan::Kind::Model : LinePlan::Kind::Text;
    return plan;
  }
  if (id == cmd::LUTR || id == cmd::LUTG || id == cmd::LUTB) {
    if (plan.fields.valueCount != 2 || !Command::ParsePair(line, plan.index, plan.value))
      return Skip(plan, SkipReason::Malformed);
    plan.kind = LinePlan::Kind::Pair;
    return plan;
  }
  // A value that is not a clean number (TI=High, FGA=12abc, PE=, HTL=1e3) means nothing the
  // camera could be sent: no part of it is taken as a number.
  const std::vector<int32_t> numbers = CleanNumbers(plan.fields.valueAsSent);
  if (numbers.size() != 1)
    return Skip(plan, SkipReason::Malformed);
  plan.value = numbers.front();
  return PlanParameter(session, plan);
}

FileSurvey SurveyFile(const CameraSession& session, const std::vector<std::string>& lines) {
  FileSurvey survey;
  bool first = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (IsBlank(lines[i]))
      continue;
    const LinePlan plan = PlanLine(session, lines[i]);
    // The model line is checked whatever the control mode; user mode only does not send it.
    if (first && plan.fields.failed == 0 && plan.fields.commandId == cmd::MD00 &&
        !plan.fields.value.text.empty()) {
      survey.model = plan.fields.value.text;
      survey.modelLine = static_cast<int>(i) + 1;
      survey.otherModel = survey.model != UpperAscii(session.Model().name);
    } else if (plan.kind != LinePlan::Kind::Skip && plan.kind != LinePlan::Kind::Blank &&
               plan.kind != LinePlan::Kind::Model) {
      survey.anySetting = true;
    }
    first = false;
  }
  return survey;
}

std::string NoSettingMessage(const CameraSession& session, const std::string& path) {
  const std::string model = session.Model().name.empty() ? "connected" : session.Model().name;
  return path + "\nThe file holds no setting for the " + model +
         " camera (it is empty, or every line is blank, malformed or for other cameras). "
         "Nothing was sent; check that this is the file meant.";
}

std::string OtherModelMessage(const CameraSession& session, const std::string& path,
                              const FileSurvey& survey) {
  return path + ":" + std::to_string(survey.modelLine) + ": the file is for a " + survey.model +
         " camera; the connected camera is a " +
         (session.Model().name.empty() ? std::string("model not known") : session.Model().name) +
         ".";
}

}  // namespace vistrel
