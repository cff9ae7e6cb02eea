#pragma once

#include <sys/stat.h>

namespace vistrel {

// What a path's mode names, in the words of a message ("... is a folder").
inline const char* FileKindOf(mode_t mode) {
  if (S_ISREG(mode))
    return "a regular file";
  if (S_ISDIR(mode))
    return "a folder";
  if (S_ISCHR(mode))
    return "a character device";
  if (S_ISBLK(mode))
    return "a block device";
  if (S_ISFIFO(mode))
    return "a FIFO";
  if (S_ISSOCK(mode))
    return "a socket";
  return "neither a file nor a device";
}

}  // namespace vistrel
