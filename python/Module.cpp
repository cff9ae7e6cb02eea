// The module vistrel._vistrel: vistrelctl's operations on a camera kept open in the process.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/QueryCommands.h"
#include "cli/SettingCommands.h"
#include "cli/ValueCommands.h"
#include "python/BoundCamera.h"
#include "python/Docs.h"
#include "python/Provision.h"

namespace py = pybind11;
using vistrel::CliSession;
using vistrel::python::BoundCamera;

namespace {

// A setting's value as vistrelctl takes it on its command line: a number or a choice's text.
std::string SettingText(const py::handle& value) {
  if (py::isinstance<py::bool_>(value) ||
      !(py::isinstance<py::int_>(value) || py::isinstance<py::str>(value)))
    throw py::type_error("a setting's value is an int or a str (a choice's entry text), not " +
                         std::string(py::str(value.get_type().attr("__name__"))));
  return py::isinstance<py::int_>(value) ? std::to_string(value.cast<long long>())
                                         : value.cast<std::string>();
}

std::string SettingName(const py::handle& name) {
  if (!py::isinstance<py::str>(name))
    throw py::type_error("a setting's name is a str");
  const std::string text = name.cast<std::string>();
  if (text.find('=') != std::string::npos)
    vistrel::python::RaiseUsage("a command name holds no '=': " + text);
  return text;
}

// NAME=VALUE pairs from set(name, value) or set(NAME=value, ...), in the order given.
std::vector<std::string> SettingPairs(const py::args& args, const py::kwargs& kwargs) {
  std::vector<std::string> pairs;
  if (args.size() == 2)
    pairs.push_back(SettingName(args[0]) + "=" + SettingText(args[1]));
  else if (!args.empty())
    throw py::type_error("set() takes a name and a value, or NAME=value keywords");
  for (const auto& [name, value] : kwargs)
    pairs.push_back(SettingName(name) + "=" + SettingText(value));
  if (pairs.empty())
    throw py::type_error("set() needs at least one setting");
  return pairs;
}

vistrel::ChannelOptions OpenOptions(const std::optional<std::string>& device,
                                    const std::optional<std::string>& simulate,
                                    std::optional<uint32_t> baud, std::optional<uint32_t> cl2000,
                                    std::optional<uint32_t> cl2001, std::optional<uint32_t> clver11,
                                    const std::optional<std::string>& controlMode, bool rawOk,
                                    std::optional<int> timeoutMs) {
  if (int(device.has_value()) + int(simulate.has_value()) + int(cl2000.has_value()) +
          int(cl2001.has_value()) + int(clver11.has_value()) >
      1)
    vistrel::python::RaiseUsage("name one channel: device, simulate, cl2000, cl2001 or clver11");
  if (controlMode && *controlMode != "user" && *controlMode != "factory")
    vistrel::python::RaiseUsage("control_mode is \"user\" or \"factory\", not \"" + *controlMode +
                                "\"");
  if (timeoutMs && (*timeoutMs < 1 || *timeoutMs > vistrel::kLongestTimeLimitMs))
    vistrel::python::RaiseUsage("timeout_ms is 1.." + std::to_string(vistrel::kLongestTimeLimitMs) +
                                ", not " + std::to_string(*timeoutMs));
  if (device && device->empty())
    vistrel::python::RaiseUsage("device is empty; give a path, a by-id name or a URL");
  vistrel::ChannelOptions options;
  options.device = device.value_or("");
  options.simulate = simulate;
  options.baud = baud;
  options.cl2000 = cl2000;
  options.cl2001 = cl2001;
  options.clVer11 = clver11;
  options.user = controlMode == "user";
  options.factory = controlMode == "factory";
  options.rawOk = rawOk;
  options.timeoutMs = timeoutMs;
  // No progress lines; the messages of a failure are all kept. A question (a file made for
  // another model) has nobody to answer it and is answered no, as vistrelctl without a terminal.
  options.quiet = true;
  return options;
}

// The member `key` of an operation's record.
py::object Member(const py::dict& record, const char* key) {
  return record.contains(key) ? py::object(record[key]) : py::object(py::none());
}

py::object FirstValue(const py::object& values) {
  for (const auto& item : values.cast<py::dict>())
    return py::reinterpret_borrow<py::object>(item.second);
  return py::none();
}

std::vector<std::string> Flagged(std::vector<std::string> arguments,
                                 std::initializer_list<std::pair<bool, const char*>> flags,
                                 const std::string& path) {
  for (const auto& [on, flag] : flags)
    if (on)
      arguments.emplace_back(flag);
  // A path is a file here, also one named like an option or "-" (vistrelctl's standard
  // input or output).
  arguments.push_back(path.starts_with('-') ? "./" + path : path);
  return arguments;
}

// diff(): the differences, none when the camera holds what the file says.
py::list Diff(BoundCamera& c, const std::string& path) {
  const std::vector<std::string> arguments = Flagged({"diff"}, {}, path);
  const auto result = c.RunUnchecked(
      "diff", [&arguments](CliSession& s) { return vistrel::RunOnOpenSession(s, arguments); });
  if (result.status == vistrel::kExitOk || result.status == vistrel::kExitRefused) {
    const py::dict record = vistrel::python::ParseRecord(result.record);
    if (record.contains("differences"))
      return record["differences"].cast<py::list>();
  }
  vistrel::python::RaiseCameraError(result);
}

void BindCamera(py::module_& m) {
  using namespace vistrel::python::docs;
  py::class_<BoundCamera> camera(m, "Camera", kCamera);
  camera.def_property_readonly("model", &BoundCamera::Model, kModel)
      .def_property_readonly("channel", &BoundCamera::Channel, kChannel)
      .def_property_readonly(
          "camera_id", [](BoundCamera& c) { return Member(c.RunArguments({"info"}), "cameraId"); },
          kCameraId)
      .def_property_readonly(
          "versions",
          [](BoundCamera& c) {
            const py::dict info = c.RunArguments({"info"});
            py::dict versions;
            for (const char* key :
                 {"firmwareVersion", "fpgaVersion", "xmlVersion", "deviceVersion"})
              versions[key] = Member(info, key);
            return versions;
          },
          kVersions)
      .def_property_readonly("closed", &BoundCamera::Closed, kClosed)
      .def("close", &BoundCamera::Close, py::call_guard<py::gil_scoped_release>(), kClose)
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__",
           [](BoundCamera& c, const py::args&) {
             const py::gil_scoped_release unlocked;
             c.Close();
           })
      .def(
          "get",
          [](BoundCamera& c, const std::string& name) {
            const std::vector<std::string> names{name};
            return FirstValue(
                Member(c.Run("get", [&names](CliSession& s) { return vistrel::RunGet(s, names); }),
                       "values"));
          },
          py::arg("name"), kGet)
      .def(
          "get_many",
          [](BoundCamera& c, const std::vector<std::string>& names) {
            return Member(
                c.Run("get", [&names](CliSession& s) { return vistrel::RunGet(s, names); }),
                "values");
          },
          py::arg("names"), kGetMany)
      .def(
          "set",
          [](BoundCamera& c, const py::args& args, const py::kwargs& kwargs) {
            const std::vector<std::string> pairs = SettingPairs(args, kwargs);
            c.Run("set", [&pairs](CliSession& s) { return vistrel::RunSet(s, pairs); });
          },
          kSet)
      .def(
          "describe",
          [](BoundCamera& c, const std::optional<std::string>& name) -> py::object {
            if (!name)
              return Member(c.Run("describe", vistrel::RunDescribeAll), "controls");
            const std::vector<std::string> names{*name};
            const py::object controls =
                Member(c.Run("describe",
                             [&names](CliSession& s) { return vistrel::RunDescribe(s, names); }),
                       "controls");
            return py::object(controls.cast<py::list>()[0]);
          },
          py::arg("name") = py::none(), kDescribe)
      .def(
          "read_all",
          [](BoundCamera& c) { return Member(c.Run("dump", vistrel::RunDump), "settings"); },
          kReadAll)
      .def(
          "save",
          [](BoundCamera& c, const std::string& path, bool shipping, bool force) {
            c.RunArguments(Flagged({"save"}, {{shipping, "--shipping"}, {force, "--force"}}, path));
          },
          py::arg("path"), py::kw_only(), py::arg("shipping") = false, py::arg("force") = false,
          kSave)
      .def(
          "load",
          [](BoundCamera& c, const std::string& path, bool strict, bool dryRun) {
            return c.RunArguments(
                Flagged({"load"}, {{strict, "--strict"}, {dryRun, "--dry-run"}}, path));
          },
          py::arg("path"), py::kw_only(), py::arg("strict") = true, py::arg("dry_run") = false,
          kLoad)
      .def("diff", &Diff, py::arg("path"), kDiff)
      .def(
          "store",
          [](BoundCamera& c, int area) {
            c.RunArguments({"store", std::to_string(area)});
          },
          py::arg("area"), kStore)
      .def(
          "load_area",
          [](BoundCamera& c, int area) {
            c.RunArguments({"load-area", std::to_string(area)});
          },
          py::arg("area"), kLoadArea)
      .def(
          "adjust",
          [](BoundCamera& c, const std::string& kind) {
            return c.RunArguments({"adjust", kind});
          },
          py::arg("kind"), kAdjust)
      .def(
          "sequencer",
          [](BoundCamera& c, int entry, const py::kwargs& fields) {
            std::vector<std::string> arguments{"sequencer", std::to_string(entry)};
            for (const auto& [name, value] : fields)
              arguments.push_back(SettingName(name) + "=" + SettingText(value));
            return c.RunArguments(arguments);
          },
          py::arg("entry"), kSequencer)
      .def(
          "lut_read",
          [](BoundCamera& c, const std::string& path, bool force) {
            c.RunArguments(Flagged({"lut", "read"}, {{force, "--force"}}, path));
          },
          py::arg("path"), py::kw_only(), py::arg("force") = false, kLutRead)
      .def(
          "lut_write",
          [](BoundCamera& c, const std::string& path) {
            c.RunArguments(Flagged({"lut", "write"}, {}, path));
          },
          py::arg("path"), kLutWrite);
}

}  // namespace

PYBIND11_MODULE(_vistrel, m) {
  using namespace vistrel::python::docs;
  m.doc() = kModule;
  m.attr("__version__") = VISTREL_VERSION;
  BindCamera(m);
  m.def(
      "open",
      [](const std::optional<std::string>& device, const std::optional<std::string>& simulate,
         std::optional<uint32_t> baud, std::optional<uint32_t> cl2000,
         std::optional<uint32_t> cl2001, std::optional<uint32_t> clver11,
         const std::optional<std::string>& controlMode, bool rawOk, std::optional<int> timeoutMs) {
        return std::make_unique<BoundCamera>(OpenOptions(device, simulate, baud, cl2000, cl2001,
                                                         clver11, controlMode, rawOk, timeoutMs));
      },
      py::arg("device") = py::none(), py::kw_only(), py::arg("simulate") = py::none(),
      py::arg("baud") = py::none(), py::arg("cl2000") = py::none(), py::arg("cl2001") = py::none(),
      py::arg("clver11") = py::none(), py::arg("control_mode") = py::none(),
      py::arg("raw_ok") = false, py::arg("timeout_ms") = py::none(), kOpen);
  m.def("provision", &vistrel::python::Provision, py::arg("devices"), py::arg("file"),
        py::kw_only(), py::arg("area") = py::none(), py::arg("jobs") = py::none(), kProvision);
}
