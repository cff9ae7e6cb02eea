#include "core/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/FileKind.h"

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

// A new file beside `target`, created with `mode` from the start (the umask can only narrow
// it), so that the new contents are never readable to more users than the final file's.
int CreateTemporary(const std::string& target, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::string base =
      FolderOf(target) + "/" + std::string(kTemporaryPrefix) + std::to_string(getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = base + std::to_string(counter++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  return -1;
}

constexpr int kMaxLinkHops = 40;

// The rule the kernel applies to links in shared folders: a link in a folder everybody may
// write to and that keeps files to their owners (sticky, as /tmp) is followed only when it
// belongs to the user following it or to the folder's owner. Anybody could have planted it.
bool MayFollow(const std::string& link, const struct stat& linkStat) {
  struct stat folder {};
  if (stat(FolderOf(link).c_str(), &folder) != 0)
    return false;
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || linkStat.st_uid == geteuid() || linkStat.st_uid == folder.st_uid;
}

// The components of `path` other than empty ones and ".".
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  for (size_t begin = 0; begin <= path.size();) {
    size_t end = path.find('/', begin);
    if (end == std::string::npos)
      end = path.size();
    const std::string part = path.substr(begin, end - begin);
    if (!part.empty() && part != ".")
      parts.push_back(part);
    begin = end + 1;
  }
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, bool absolute) {
  std::string path = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i)
    path += (i == 0 ? "" : "/") + parts[i];
  return path.empty() ? "." : path;
}

// The file a write to `path` replaces, with every symbolic link on the way resolved: in the
// folders of the path as in its last component, also when the link leads to no file yet.
// Each link passes the shared-folder rule above whatever the kernel's own setting, so the
// write never goes where a link planted by another user leads. False, with the reason in
// `error`, for a link that may not be followed or that loops.
bool ResolveDestination(const std::string& path, std::string& target, std::string& error) {
  bool absolute = path.starts_with('/');
  std::vector<std::string> done;
  std::vector<std::string> todo = Components(path);
  std::reverse(todo.begin(), todo.end());
  for (int hops = 0; !todo.empty();) {
    const std::string part = std::move(todo.back());
    todo.pop_back();
    if (part == "..") {
      if (!done.empty() && done.back() != "..")
        done.pop_back();
      else if (!absolute)
        done.push_back(part);
      continue;
    }
    done.push_back(part);
    const std::string here = Joined(done, absolute);
    struct stat st {};
    if (lstat(here.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
      continue;
    if (!MayFollow(here, st)) {
      error = "refusing to write through " + here +
              ": it is a symbolic link of another user in a shared folder; remove it or choose "
              "another name";
      return false;
    }
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(here, ec);
    if (ec) {
      error = "cannot read the link " + here + ": " + ec.message();
      return false;
    }
    if (++hops > kMaxLinkHops) {
      error = "cannot write " + path + ": its symbolic links do not end in a file";
      return false;
    }
    done.pop_back();
    if (next.is_absolute()) {
      done.clear();
      absolute = true;
    }
    std::vector<std::string> more = Components(next.string());
    todo.insert(todo.end(), more.rbegin(), more.rend());
  }
  target = Joined(done, absolute);
  return true;
}

// Resolves the destination of a write to `path` and refuses one that exists and is not a
// regular file: a device, a FIFO or a folder is never replaced by a file.
bool CheckDestination(const std::string& path, std::string& target, std::string& error) {
  if (!ResolveDestination(path, target, error))
    return false;
  struct stat st {};
  if (stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode))
    return true;
  const std::string kind = FileKindOf(st.st_mode);
  error = "refusing to replace " + path +
          (target == path ? ": it is " + kind : ": it leads to " + target + ", " + kind) +
          "; only a regular file is replaced: choose another name";
  return false;
}

std::string UserName(uid_t uid) {
  const passwd* entry = getpwuid(uid);
  return entry ? entry->pw_name : std::to_string(uid);
}

std::string GroupName(gid_t gid) {
  const group* entry = getgrgid(gid);
  return entry ? entry->gr_name : std::to_string(gid);
}

// Gives the new file the replaced file's owner and group where this user may; what could not
// be kept is said in `notice`.
void KeepOwner(int fd, const std::string& target, const struct stat& existing,
               std::string* notice) {
  struct stat made {};
  const bool same =
      fstat(fd, &made) == 0 && made.st_uid == existing.st_uid && made.st_gid == existing.st_gid;
  if (same || fchown(fd, existing.st_uid, existing.st_gid) == 0)
    return;
  const bool groupKept = fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0;
  struct stat now {};
  if (fstat(fd, &now) != 0 || !notice)
    return;
  *notice = target + " now belongs to " + UserName(now.st_uid) + ":" + GroupName(now.st_gid) +
            " (it belonged to " + UserName(existing.st_uid) + ":" + GroupName(existing.st_gid) +
            (groupKept ? "" : "; the group could not be kept") + ")";
}

}  // namespace

std::string WriteRefusal(const std::string& path) {
  std::string target;
  std::string refusal;
  return CheckDestination(path, target, refusal) ? std::string() : refusal;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string* error,
                         std::string* notice) {
  if (notice)
    notice->clear();
  std::string target;
  std::string refusal;
  if (!CheckDestination(path, target, refusal)) {
    if (error)
      *error = refusal;
    return false;
  }
  struct stat existing {};
  const bool replaces = stat(target.c_str(), &existing) == 0;
  const mode_t mode = replaces ? (existing.st_mode & 07777) : 0666;
  std::string temp;
  const int fd = CreateTemporary(target, mode & 0777, temp);
  if (fd < 0)
    return Fail(error, "cannot create a file in", FolderOf(target));
  bool written = WriteAll(fd, contents);
  if (written && replaces) {
    KeepOwner(fd, target, existing, notice);
    // After the owner: a change of owner clears the set-id bits. The umask may have narrowed
    // the mode the file was created with.
    written = fchmod(fd, mode) == 0;
  }
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
