#pragma once

#include <string>

namespace vistrel {

// What went wrong when the serial device `device` could not be opened (`error` is the
// errno of the failing call) and what the operator can do about it, as lines to add below
// the port's own message. A missing device, a lacking permission and a port held by another
// program each have their own words; any other reason is given as the system words it. A
// lacking permission names the device's group only when that group may read and write it;
// otherwise it names the owner and mode and that access must be granted.
std::string OpenFailureAdvice(int error, const std::string& device);

}  // namespace vistrel
