#include "core/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vistrel {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

FileCheck Failed(FileStatus status, std::size_t maxBytes, int error = 0) {
  return FileCheck{status, error, maxBytes};
}

// Opens `path` without waiting and checks what it is; the descriptor in `fd` is open only
// when the result is Ok.
FileCheck OpenRegularFile(const std::string& path, std::size_t maxBytes, int& fd) {
  fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return Failed(FileStatus::CannotOpen, maxBytes, errno);
  struct stat st {};
  FileCheck check{FileStatus::Ok, 0, maxBytes};
  if (fstat(fd, &st) != 0)
    check = Failed(FileStatus::CannotOpen, maxBytes, errno);
  else if (!S_ISREG(st.st_mode))
    check = Failed(FileStatus::NotRegular, maxBytes);
  else if (static_cast<unsigned long long>(st.st_size) > maxBytes)
    check = Failed(FileStatus::TooLarge, maxBytes);
  if (!check.Ok()) {
    close(fd);
    fd = -1;
  }
  return check;
}

}  // namespace

std::string FileCheck::Reason() const {
  switch (status) {
    case FileStatus::Ok:
      return "readable";
    case FileStatus::CannotOpen:
    case FileStatus::ReadFailed:
      return std::strerror(error);
    case FileStatus::NotRegular:
      return "not a regular file";
    case FileStatus::TooLarge:
      return "larger than " + std::to_string(maxBytes) + " bytes";
  }
  return {};
}

FileCheck CheckRegularFile(const std::string& path, std::size_t maxBytes) {
  int fd = -1;
  const FileCheck check = OpenRegularFile(path, maxBytes, fd);
  if (fd >= 0)
    close(fd);
  return check;
}

FileCheck ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents) {
  contents.clear();
  int fd = -1;
  FileCheck check = OpenRegularFile(path, maxBytes, fd);
  if (!check.Ok())
    return check;
  char chunk[kChunkBytes];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      check = Failed(FileStatus::ReadFailed, maxBytes, errno);
      break;
    }
    if (n == 0)
      break;
    if (contents.size() + static_cast<std::size_t>(n) > maxBytes) {
      check = Failed(FileStatus::TooLarge, maxBytes);
      break;
    }
    contents.append(chunk, static_cast<std::size_t>(n));
  }
  close(fd);
  if (!check.Ok())
    contents.clear();
  return check;
}

}  // namespace vistrel
