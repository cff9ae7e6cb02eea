#pragma once

#include <cstddef>

namespace vistrel {

// The largest camera setting file that is read. A real file holds a few hundred short lines
// (NAME=value, well under 10 KB even with the LUT lines of all three colours); 256 KB leaves
// room for a thousand lines of the longest length a setting line may have (255 characters)
// and still keeps the memory and the time of a load bounded when the path names something
// else by mistake.
inline constexpr std::size_t kMaxSettingFileBytes = 256 * 1024;

}  // namespace vistrel
