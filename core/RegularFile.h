#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace vistrel {

// Why a file was not read.
enum class FileStatus {
  Ok,
  CannotOpen,  // missing, no permission, ...
  NotRegular,  // a folder, a device such as /dev/zero, a pipe, a socket
  TooLarge,    // more bytes than the caller's bound
  ReadFailed,
};

struct FileCheck {
  FileStatus status = FileStatus::Ok;
  int error = 0;  // errno of a failed open or read
  std::size_t maxBytes = 0;

  bool Ok() const { return status == FileStatus::Ok; }
  // A short reason, for example "not a regular file".
  std::string Reason() const;
};

// Whether `path` names a regular file of at most `maxBytes` bytes that can be opened for
// reading. Opening never waits (a pipe without a writer, a serial device) and nothing is read.
FileCheck CheckRegularFile(const std::string& path, std::size_t maxBytes);

// Reads the whole of a regular file of at most `maxBytes` bytes into `contents`. Anything else
// is refused before it is read, and a file that grows past the bound while it is read is
// refused too, so memory stays bounded whatever the path names. `contents` is empty unless
// the result is Ok.
FileCheck ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents);

// Whether something is at `path`, a link that leads nowhere included: writing there would
// replace it.
inline bool PathTaken(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace vistrel
