#pragma once

namespace vistrel {

// Registers the program's bitmaps and icons (":/vistrel/302", ...). Safe to call repeatedly.
void InitResources();

}  // namespace vistrel
