#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <vector>

namespace vistrel::python {

// vistrel.provision(): vistrelctl's provision over the cameras of `devices`, each in a thread of
// its own; the per-camera records of its JSON output, in the order of `devices`.
pybind11::list Provision(const std::vector<std::string>& devices, const std::string& file,
                         std::optional<int> area, std::optional<int> jobs);

}  // namespace vistrel::python
