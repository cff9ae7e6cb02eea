#include "python/Provision.h"

#include <sstream>

#include "cli/Cli.h"
#include "python/BoundCamera.h"

namespace vistrel::python {

namespace py = pybind11;

py::list Provision(const std::vector<std::string>& devices, const std::string& file,
                   std::optional<int> area, std::optional<int> jobs) {
  if (devices.empty())
    RaiseUsage("provision needs at least one device");
  // A run over cameras (--jobs) gives one record per camera, even for a single one.
  std::vector<std::string> arguments{"vistrelctl"};
  for (const std::string& device : devices)
    arguments.insert(arguments.end(), {"--device", device});
  arguments.insert(arguments.end(),
                   {"--jobs", std::to_string(jobs.value_or(static_cast<int>(devices.size()))),
                    "--quiet", "provision", "--json"});
  if (area)
    arguments.insert(arguments.end(), {"--area", std::to_string(*area)});
  arguments.push_back(file.starts_with('-') ? "./" + file : file);
  std::vector<const char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(argument.c_str());

  std::ostringstream out;
  std::ostringstream err;
  OperationResult result;
  {
    py::gil_scoped_release unlocked;
    result.status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  }
  py::list records;
  const py::object loads = py::module_::import("json").attr("loads");
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty())
      records.append(loads(line));
  }
  // Each camera's failure is in its record; without records the run itself was refused.
  if (records.empty() && result.status != kExitOk) {
    result.messages = err.str();
    while (!result.messages.empty() && result.messages.back() == '\n')
      result.messages.pop_back();
    result.outcome = OutcomeOfStatus(result.status, Outcome::NoReply);
    RaiseCameraError(result);
  }
  return records;
}

}  // namespace vistrel::python
