#include "transport/OpenFailure.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace vistrel {

namespace {

enum class Reason { Missing, Permission, Busy };

struct ReasonEntry {
  int error;
  Reason reason;
};

constexpr std::array<ReasonEntry, 7> kReasons = {{
    {ENOENT, Reason::Missing},
    {ENODEV, Reason::Missing},
    {ENXIO, Reason::Missing},
    {EACCES, Reason::Permission},
    {EPERM, Reason::Permission},
    {EBUSY, Reason::Busy},
    {EWOULDBLOCK, Reason::Busy},
}};

constexpr size_t kGroupBufferBytes = 16384;

// The name of group `gid`, or its number when it has no name.
std::string GroupName(gid_t gid) {
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(kGroupBufferBytes);
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
    return found->gr_name;
  return std::to_string(gid);
}

// True when the user running the program is listed as a member of group `gid`: the
// membership then only takes effect at the next log-in.
bool ListedMember(gid_t gid) {
  passwd user{};
  passwd* me = nullptr;
  std::vector<char> userBuffer(kGroupBufferBytes);
  if (::getpwuid_r(::getuid(), &user, userBuffer.data(), userBuffer.size(), &me) != 0 || !me)
    return false;
  if (me->pw_gid == gid)
    return true;
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(kGroupBufferBytes);
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
    return false;
  for (char** member = found->gr_mem; member && *member; ++member) {
    if (std::strcmp(*member, me->pw_name) == 0)
      return true;
  }
  return false;
}

// True when the program runs with group `gid` now.
bool InGroupNow(gid_t gid) {
  if (::getegid() == gid)
    return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0)
    return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int got = ::getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// The name of user `uid`, or its number when it has no name.
std::string UserName(uid_t uid) {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(kGroupBufferBytes);
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
    return found->pw_name;
  return std::to_string(uid);
}

// The permission bits as `ls -l` shows them, for example "crw-rw----".
std::string ModeText(mode_t mode) {
  std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : "-";
  constexpr const char* kLetters = "rwxrwxrwx";
  for (int bit = 0; bit < 9; ++bit)
    text += (mode & (0400 >> bit)) ? kLetters[bit] : '-';
  return text;
}

// Only the group's own read and write access makes joining the group worth advising.
std::string GroupAdvice(const std::string& device, const struct stat& st) {
  const std::string group = GroupName(st.st_gid);
  if (InGroupNow(st.st_gid)) {
    return "No permission to open " + device + " although you are a member of its group " + group +
           ".\nAsk the administrator why access is refused (an access list or a " +
           "security policy may keep it).";
  }
  std::string text = "No permission to open " + device + ": it belongs to the group " + group +
                     ", and membership in " + group + " grants access to it.\n";
  if (ListedMember(st.st_gid))
    return text + "You were added to " + group + " after logging in: log out and in again.";
  return text + "Add your user to it (sudo usermod -aG " + group +
         " $USER), then log out and in again.";
}

std::string PermissionAdvice(const std::string& device) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) {
    return "No permission to open " + device +
           ".\nAsk the administrator for read and write access to it.";
  }
  constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
  if ((st.st_mode & kGroupReadWrite) == kGroupReadWrite)
    return GroupAdvice(device, st);
  // No group may use the device: joining one would not help.
  return "No permission to open " + device + ": it belongs to " + UserName(st.st_uid) + ":" +
         GroupName(st.st_gid) + " with mode " + ModeText(st.st_mode) +
         ", and no group may read and write it.\nA udev rule or the administrator must grant "
         "access to it (for example the group dialout with mode 0660).";
}

}  // namespace

std::string OpenFailureAdvice(int error, const std::string& device) {
  const auto* entry = std::find_if(kReasons.begin(), kReasons.end(),
                                   [error](const ReasonEntry& e) { return e.error == error; });
  if (entry == kReasons.end())
    return device + ": " + std::strerror(error);
  switch (entry->reason) {
    case Reason::Missing:
      return "There is no such device: " + device +
             ".\nCheck that the adapter is plugged in, or choose the port it appears as.";
    case Reason::Permission:
      return PermissionAdvice(device);
    case Reason::Busy:
      return device + " is in use by another program.\nClose that program (fuser " + device +
             " names it) and try again.";
  }
  return {};
}

}  // namespace vistrel
