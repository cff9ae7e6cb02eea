#pragma once

#include "params/TableBoundPath.h"

namespace vistrel {

// The identity groups of the factory page: "XML Version" (three digit fields, Read and
// Write) and "Camera Model" (the model choice and Set).
namespace Identity {

// Runs the button's function when it is one of these groups' buttons; false otherwise.
bool OnButton(HandlerContext& context, int ctrlId);
// A choice of these groups was changed: nothing is sent (Set writes the model). False for
// other controls.
bool OnSelect(HandlerContext& context, int ctrlId);

// Whether Write may be offered: the camera is online and each field holds one digit.
bool XmlWriteAllowed(const IControlPanel& panel, bool online);
// Enables or disables Write accordingly; run when a field changes and when the link does.
void RefreshXmlWrite(IControlPanel& panel, bool online);

}  // namespace Identity

}  // namespace vistrel
