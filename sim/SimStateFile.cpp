#include "sim/SimStateFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "core/AtomicFile.h"
#include "sim/SimModel.h"
#include "sim/SimText.h"

namespace vistrel {

namespace {

constexpr const char* kHeader = "vistrel-sim state 1";
constexpr const char* kIdentitySection = "[identity]";
constexpr const char* kAreaSection = "[area ";

std::string SystemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool ApplyIdentityLine(SimIdentity& identity, std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos)
    return false;
  const std::string_view name = line.substr(0, equals);
  const std::string value(line.substr(equals + 1));
  if (name == "MD" && !value.empty()) {
    identity.model = value;
  } else if (name == "UD" && value.size() <= kSimUserIdMax) {
    identity.userId = value;
  } else if (name == "ID" && value.size() <= kSimCameraIdMax) {
    identity.cameraId = value;
  } else if (name == "DV") {
    identity.deviceVersion = value;
  } else if (name == "XMLVR") {
    const auto number = SimParseInt(value);
    if (!number || *number < 0 || *number > 999)
      return false;
    identity.xmlVersion = static_cast<int32_t>(*number);
  } else {
    return false;
  }
  return true;
}

}  // namespace

SimStoredState SimFreshState(std::string_view model) {
  SimStoredState state;
  state.identity.model = std::string(model);
  const SimSettings defaults = SimDefaultSettings(SimModel(model));
  state.areas.fill(defaults);
  return state;
}

SimStateLoad SimLoadState(const std::string& path, SimStoredState& state, std::string& message) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
    return SimStateLoad::Missing;
  std::ifstream in(path);
  if (!in) {
    message = SystemError("cannot read", path);
    return SimStateLoad::Failed;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  if (lines.empty() || lines.front() != kHeader) {
    message = path + " is not a vistrel-sim state file";
    return SimStateLoad::Failed;
  }

  // The identity comes first: the model decides the defaults the areas are stored against.
  SimIdentity identity;
  int skipped = 0;
  size_t i = 1;
  if (i < lines.size() && lines[i] == kIdentitySection) {
    for (++i; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i) {
      if (!lines[i].empty() && !ApplyIdentityLine(identity, lines[i]))
        ++skipped;
    }
  }
  const SimModel model(identity.model);
  const SimSettings defaults = SimDefaultSettings(model);
  SimStoredState loaded;
  loaded.identity = identity;
  loaded.areas.fill(defaults);
  SimSettings* area = nullptr;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty())
      continue;
    if (line.rfind(kAreaSection, 0) == 0) {
      const auto number = SimParseInt(std::string_view(line).substr(6, 1));
      const bool valid =
          line.size() == 8 && line[7] == ']' && number && *number >= 0 && *number < kSimAreaCount;
      area = valid ? &loaded.areas[static_cast<size_t>(*number)] : nullptr;
      skipped += valid ? 0 : 1;
      continue;
    }
    if (area == nullptr || !SimApplySettingsLine(*area, line, model))
      ++skipped;
  }
  state = std::move(loaded);
  if (skipped > 0)
    message = path + ": " + std::to_string(skipped) + " lines not understood, skipped";
  return SimStateLoad::Loaded;
}

bool SimSaveState(const std::string& path, const SimStoredState& state, std::string& message) {
  const SimModel model(state.identity.model);
  const SimSettings defaults = SimDefaultSettings(model);
  std::string text = std::string(kHeader) + "\n" + kIdentitySection + "\n";
  text += "MD=" + state.identity.model + "\n";
  text += "UD=" + state.identity.userId + "\n";
  text += "ID=" + state.identity.cameraId + "\n";
  text += "DV=" + state.identity.deviceVersion + "\n";
  text += "XMLVR=" + std::to_string(state.identity.xmlVersion) + "\n";
  for (int a = 0; a < kSimAreaCount; ++a) {
    text += std::string(kAreaSection) + std::to_string(a) + "]\n";
    for (const std::string& line :
         SimSettingsLines(state.areas[static_cast<size_t>(a)], defaults, model))
      text += line + "\n";
  }

  return WriteFileAtomically(path, text, &message);
}

}  // namespace vistrel
