#pragma once

#include <span>

namespace vistrel {

// The read lists of the model records, by control id.
std::span<const int> RlReadList();
std::span<const int> Rl8200Lacking();
std::span<const int> QxReadList();

}  // namespace vistrel
