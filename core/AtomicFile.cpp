#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vistrel {
namespace {

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The permissions of the file being replaced; a new file gets the usual ones rather than
// mkstemp's owner-only ones.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0)
    return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool Fail(std::string* error, const std::string& what, const std::string& path) {
  if (error)
    *error = what + " " + path + ": " + std::strerror(errno);
  return false;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string* error) {
  const std::string folder = FolderOf(path);
  std::string pattern = folder + "/.vistrel-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0)
    return Fail(error, "cannot create a file in", folder);
  const std::string temp(name.data());
  const bool written = WriteAll(fd, contents) && fchmod(fd, ModeFor(path)) == 0 && fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    errno = writeErrno;
    unlink(temp.c_str());
    return Fail(error, "cannot write", temp);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int renameErrno = errno;
    unlink(temp.c_str());
    errno = renameErrno;
    return Fail(error, "cannot replace", path);
  }
  // Make the rename itself durable.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

}  // namespace vistrel
