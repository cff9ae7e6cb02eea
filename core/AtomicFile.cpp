#include "core/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

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

constexpr std::string_view kTemporaryPrefix = ".vistrel-";

// Plain decimal digits as the writer makes them: no sign, no leading zero.
std::optional<long long> DecimalNumber(std::string_view digits) {
  long long value = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  const bool canonical = !digits.empty() && (digits.front() != '0' || digits.size() == 1);
  if (!canonical || digits.front() == '-' || ec != std::errc() || ptr != end)
    return std::nullopt;
  return value;
}

// The process id in a temporary file name ".vistrel-<pid>-<n>", if the name is one.
std::optional<pid_t> WriterOf(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix))
    return std::nullopt;
  name.remove_prefix(kTemporaryPrefix.size());
  const size_t dash = name.find('-');
  if (dash == std::string_view::npos || !DecimalNumber(name.substr(dash + 1)))
    return std::nullopt;
  const std::optional<long long> pid = DecimalNumber(name.substr(0, dash));
  if (!pid || *pid <= 0 || *pid != static_cast<pid_t>(*pid))
    return std::nullopt;
  return static_cast<pid_t>(*pid);
}

bool ProcessHasEnded(pid_t pid) {
  return kill(pid, 0) != 0 && errno == ESRCH;
}

// Removes the temporary files that runs killed halfway through a write left in `folder`:
// plain files of exactly the temporary pattern whose writing process no longer exists. A
// live writer's file, this process's own, and anything else stay. Best effort: a file that
// cannot be removed is left for the next write.
void RemoveAbandonedTemporaries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir)
    return;
  const int dirFd = dirfd(dir);
  const pid_t self = getpid();
  while (const dirent* entry = readdir(dir)) {
    const std::optional<pid_t> writer = WriterOf(entry->d_name);
    if (!writer || *writer == self)
      continue;
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
      continue;
    if (ProcessHasEnded(*writer))
      unlinkat(dirFd, entry->d_name, 0);
  }
  closedir(dir);
}

// A new file beside `target`, created with the usual permissions (the umask applies).
int CreateTemporary(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::string base =
      FolderOf(target) + "/" + std::string(kTemporaryPrefix) + std::to_string(getpid()) + "-";
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
  RemoveAbandonedTemporaries(FolderOf(target));
  return true;
}

}  // namespace vistrel
