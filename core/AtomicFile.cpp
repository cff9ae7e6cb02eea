#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

bool Fail(std::string* error, const std::string& what, const std::string& path) {
  if (error)
    *error = what + " " + path + ": " + std::strerror(errno);
  return false;
}

// A new file beside `target`, created with the usual permissions (the umask applies).
int CreateTemporary(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::string base = FolderOf(target) + "/.vistrel-" + std::to_string(getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = base + std::to_string(counter++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  return -1;
}

// A symbolic link is written through: its target is the file replaced.
std::string ResolveLink(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec))
    return path;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
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
  const std::string target = ResolveLink(path);
  std::string temp;
  const int fd = CreateTemporary(target, temp);
  if (fd < 0)
    return Fail(error, "cannot create a file in", FolderOf(target));
  // The replaced file keeps its permissions.
  struct stat existing {};
  bool written = WriteAll(fd, contents);
  if (written && stat(target.c_str(), &existing) == 0)
    written = fchmod(fd, existing.st_mode & 07777) == 0;
  written = written && fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    errno = writeErrno;
    unlink(temp.c_str());
    return Fail(error, "cannot write", temp);
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    const int renameErrno = errno;
    unlink(temp.c_str());
    errno = renameErrno;
    return Fail(error, "cannot replace", target);
  }
  // Make the rename itself durable.
  const int dir = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

}  // namespace vistrel
