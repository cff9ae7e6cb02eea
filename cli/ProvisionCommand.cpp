#include "cli/ProvisionCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <ostream>

#include "camera/CameraId.h"
#include "camera/FlashAreas.h"
#include "camera/SettingFile.h"
#include "camera/SettingFileDiff.h"
#include "cli/CameraCommands.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "core/CommandIds.h"
#include "core/TextEscape.h"

namespace vistrel {

namespace {

constexpr int kFactoryArea = 0;
constexpr int kLastArea = 3;
// The limit of loading a flash area into the working settings.
constexpr int kAreaLoadMs = 2500;

struct ProvisionRequest {
  std::string file;
  int area = 1;
  bool json = false;
};

// The first line MD00=NAME names the file's model: the load checks it against the camera's
// and sends it only in factory control mode.
bool IsModelLine(const FileLineNote& note) {
  return note.lineNumber == 1 && note.line.starts_with("MD00=");
}

struct StepRecord {
  const char* step;
  bool ok;
  std::string detail;
};

// One camera's provisioning: the steps in order, each ending the run when it fails.
class Provisioning {
 public:
  Provisioning(CliSession& s, const ProvisionRequest& request, const ChosenAction& chosen)
      : s_(s), request_(request), chosen_(chosen) {}

  int Run();

 private:
  using Step = int (Provisioning::*)(std::string& detail);

  int Open(std::string& detail);
  int CheckModel(std::string& detail);
  int Load(std::string& detail);
  int Verify(std::string& detail);
  int Store(std::string& detail);
  int ReadBack(std::string& detail);
  // Ends the step with one line that names it and says what to do.
  int StepFailed(const char* step, int status, const std::string& what, const std::string& advice) {
    return s_.Fail(status, std::string(step) + " failed: " + what, advice);
  }
  void PrintJson(int status) const;

  CliSession& s_;
  const ProvisionRequest& request_;
  const ChosenAction& chosen_;
  std::vector<StepRecord> steps_;
  std::optional<std::string> cameraId_;
};

int Provisioning::Open(std::string& detail) {
  detail = s_.ChannelText();
  return s_.Open();
}

int Provisioning::CheckModel(std::string& detail) {
  if (const int status = s_.CheckCameraAnswers(); status != kExitOk)
    return status;
  const std::string& model = s_.Camera().Model().name;
  detail = model;
  if (chosen_.expectedModel && *chosen_.expectedModel != model) {
    return StepFailed("model", kExitRefused,
                      "the camera is a " + model + ", not the expected " + *chosen_.expectedModel +
                          "; nothing was sent to it",
                      "connect the camera of that model or give its model to --expect-model");
  }
  cameraId_ = ReadCameraId(s_.Camera()).value;
  detail += ", camera id " + (cameraId_ ? EscapeControls(*cameraId_) : "unread");
  if (chosen_.facts) {
    chosen_.facts->model = model;
    chosen_.facts->cameraId = cameraId_;
  }
  return kExitOk;
}

int Provisioning::Load(std::string& detail) {
  LoadReport report;
  const Outcome outcome = LoadSettingFile(s_.Camera(), request_.file, &report, OtherModel::Refuse);
  if (!report.refused.empty()) {
    const FileLineNote& first = report.refused.front();
    detail = "line " + std::to_string(first.lineNumber) +
             " refused: " + EscapeControlsInMessage(first.line);
  } else {
    detail = OutcomeText(outcome);
  }
  if (outcome != Outcome::Done) {
    return StepFailed("load", s_.StatusFor(outcome), detail,
                      "check the file and the camera (vistrelctl load --strict FILE shows each "
                      "line)");
  }
  // Every line meant for this model must reach the camera: a skipped one fails the step.
  const auto skipped = std::ranges::find_if(report.skipped, [](const FileLineNote& note) {
    return note.reason != SkipReason::NotForModel && !IsModelLine(note);
  });
  if (skipped != report.skipped.end()) {
    detail = "line " + std::to_string(skipped->lineNumber) + " skipped (" +
             SkipReasonText(skipped->reason) + "): " + EscapeControlsInMessage(skipped->line);
    return StepFailed("load", kExitUsage, detail,
                      "correct the file or the control mode (--factory) and run again");
  }
  detail = std::to_string(report.sent.size()) + " lines sent";
  if (const auto others = std::ranges::count_if(report.skipped, [](const FileLineNote& note) {
        return note.reason == SkipReason::NotForModel;
      }))
    detail += ", " + std::to_string(others) + " for other models skipped";
  return kExitOk;
}

int Provisioning::Verify(std::string& detail) {
  const DiffResult diff = DiffSettingFile(s_.Camera(), request_.file);
  if (diff.outcome != Outcome::Done) {
    detail = OutcomeText(diff.outcome);
    return StepFailed("verify", s_.StatusFor(diff.outcome), "the camera could not be read back",
                      "check the channel and run again");
  }
  if (diff.compared == 0) {
    detail = "no value to compare";
    return StepFailed("verify", kExitUsage, "the file sets no value this camera holds",
                      "give the setting file of this model");
  }
  if (!diff.differences.empty()) {
    const FileDifference& d = diff.differences.front();
    detail = std::to_string(diff.differences.size()) + " of " + std::to_string(diff.compared) +
             " values differ; line " + std::to_string(d.lineNumber) + ": " + d.name +
             " file=" + d.fileValue + " camera=" + EscapeControls(d.cameraValue);
    return StepFailed("verify", kExitRefused,
                      "the camera does not hold the file's values (" + detail + ")",
                      "check the values against vistrelctl diff FILE");
  }
  detail = std::to_string(diff.compared) + " values match";
  return kExitOk;
}

int Provisioning::Store(std::string& detail) {
  detail = "area " + std::to_string(request_.area);
  const Outcome stored = StoreArea(s_.Camera(), request_.area);
  if (stored == Outcome::Done)
    return kExitOk;
  detail += ": " + std::string(OutcomeText(stored));
  return StepFailed("store", s_.StatusFor(stored), "the camera did not store " + detail,
                    "check the camera and run again; its working settings hold the file");
}

int Provisioning::ReadBack(std::string& detail) {
  // Loading the area into the working settings shows what the area holds.
  if (const Outcome last = s_.Engine().SetValue(cmd::LD, request_.area, kAreaLoadMs);
      last != Outcome::Done) {
    detail = "area " + std::to_string(request_.area) + ": " + OutcomeText(last);
    return StepFailed("read-back", s_.StatusFor(last), "the camera did not load " + detail,
                      "check the camera and run again");
  }
  const int status = Verify(detail);
  detail = "area " + std::to_string(request_.area) + ": " + detail;
  return status;
}

void Provisioning::PrintJson(int status) const {
  const auto failed = std::ranges::find_if(steps_, [](const StepRecord& r) { return !r.ok; });
  JsonWriter w;
  w.BeginObject().Value("file", request_.file).Value("area", request_.area);
  if (status != kExitOk)
    s_.WriteError(w, status);
  const std::string& model = s_.Camera().Model().name;
  model.empty() ? w.Null("model") : w.Value("model", model);
  cameraId_ ? w.Value("cameraId", *cameraId_) : w.Null("cameraId");
  w.Value("ok", failed == steps_.end());
  failed == steps_.end() ? w.Null("failedStep") : w.Value("failedStep", failed->step);
  w.BeginArray("steps");
  for (const StepRecord& r : steps_)
    w.BeginObject().Value("step", r.step).Value("ok", r.ok).Value("detail", r.detail).EndObject();
  s_.Out() << w.EndArray().EndObject().Text() << '\n';
}

int Provisioning::Run() {
  static constexpr std::pair<const char*, Step> kSteps[] = {
      {"open", &Provisioning::Open},   {"model", &Provisioning::CheckModel},
      {"load", &Provisioning::Load},   {"verify", &Provisioning::Verify},
      {"store", &Provisioning::Store}, {"read-back", &Provisioning::ReadBack},
  };
  int status = kExitOk;
  for (const auto& [name, step] : kSteps) {
    std::string detail;
    status = (this->*step)(detail);
    steps_.push_back({name, status == kExitOk, detail});
    if (!request_.json)
      s_.Out() << name << ": " << (status == kExitOk ? "ok" : "failed") << " (" << detail << ")\n";
    if (status != kExitOk)
      break;
  }
  if (request_.json)
    PrintJson(status);
  return s_.Finish(status);
}

int RunProvision(CliSession& s, const ProvisionRequest& request, const ChosenAction& chosen) {
  // As everywhere, only factory control mode offers the factory area.
  if (request.area == kFactoryArea && !s.Camera().FactoryMode()) {
    return s.Fail(kExitUsage, "storing into the factory area needs factory control mode",
                  "give --factory, or a user area with --area 1..3");
  }
  return Provisioning(s, request, chosen).Run();
}

}  // namespace

void AddProvisionCommand(CLI::App& app, ChosenAction& chosen) {
  auto request = std::make_shared<ProvisionRequest>();
  CLI::App* sub = AddSubcommand(
      app, {"provision",
            "Set a camera up from a setting file on one open: model check, load, verify, "
            "store into a flash area, read the area back; prints each step and the one that "
            "failed",
            "vistrelctl --device /dev/ttyUSB0 provision golden.cam --area 1"});
  sub->callback([&chosen, request] {
    chosen.unopened = [&chosen, request](CliSession& s) {
      return RunProvision(s, *request, chosen);
    };
  });
  sub->add_option("FILE", request->file, "the .cam file")->required()->check(SettingFileCheck());
  sub->add_option("--area", request->area,
                  "the flash area to store into: 1..3 user areas (default 1), 0 factory "
                  "(needs --factory)")
      ->check(CLI::Range(kFactoryArea, kLastArea));
  sub->add_flag("--json", request->json, "one JSON object: the steps and the one that failed");
  AddExpectModelOption(*sub, chosen);
}

}  // namespace vistrel
