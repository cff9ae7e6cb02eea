#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/AtomicFile.h"
#include "support/AsNobody.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using test::kNobody;

class AtomicFileTest : public ::testing::Test {
 protected:
  static std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t Entries() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  test::TempFolder temp_;
  fs::path folder_{temp_.Path()};
};

TEST_F(AtomicFileTest, WritesThroughASymbolicLink) {
  const fs::path real = folder_ / "real.txt";
  const fs::path link = folder_ / "link.txt";
  std::ofstream(real) << "old";
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(real), "new");
}

// Only a regular file is replaced: a device node, a FIFO or a folder at the destination, or
// where a link there leads, stays as it is, whatever the caller meant, and the refusal names
// its kind.
TEST_F(AtomicFileTest, OnlyARegularFileIsReplaced) {
  const bool deviceMade = mknod((folder_ / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  ASSERT_EQ(mkfifo((folder_ / "fifo").c_str(), 0666), 0);
  fs::create_directories(folder_ / "folder" / "inside");
  const struct {
    const char* name;
    const char* kind;
  } cases[] = {{"device", "a character device"}, {"fifo", "a FIFO"}, {"folder", "a folder"}};
  for (const auto& c : cases) {
    const fs::path node = folder_ / c.name;
    if (!fs::exists(fs::symlink_status(node)))
      continue;  // mknod is not permitted here
    const fs::path link = folder_ / (std::string(c.name) + ".link");
    fs::create_symlink(node, link);
    for (const fs::path& path : {node, link}) {
      std::string error;
      EXPECT_FALSE(WriteFileAtomically(path, "new", &error)) << path;
      EXPECT_NE(error.find(std::string(c.kind) + "; only a regular file is replaced"),
                std::string::npos)
          << error;
      EXPECT_EQ(WriteRefusal(path), error);
    }
    EXPECT_FALSE(fs::is_regular_file(node)) << c.name;
  }
  EXPECT_TRUE(fs::is_directory(folder_ / "folder" / "inside"));
  EXPECT_EQ(Entries(), deviceMade ? 6u : 4u) << "no temporary file is left";

  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder_ / "no" / "b.txt").string(), "x", &error));
  EXPECT_FALSE(error.empty()) << "a missing folder";
  if (!deviceMade)
    GTEST_SKIP() << "mknod is not permitted here: the device case did not run";
}

TEST(FolderOfTest, ParentFolderOrTheCurrentOne) {
  EXPECT_EQ(FolderOf("/a/b"), "/a");
  EXPECT_EQ(FolderOf("b"), ".");
  EXPECT_EQ(FolderOf("/b"), "/");
}

// A link in a shared sticky folder is followed only when this user or the folder's owner made
// it: anybody could have planted it there, leading to a file of the user who writes.
TEST_F(AtomicFileTest, LinksOfOtherUsersInSharedFoldersAreNotFollowed) {
  if (geteuid() != 0)
    GTEST_SKIP() << "needs root to give a link another owner";
  const struct {
    mode_t folderMode;
    uid_t linkOwner;
    bool targetExists;
    bool followed;
    bool asFolder;  // the link stands for a folder of the path, not for the file
  } cases[] = {
      {01777, kNobody, true, false, false}, {01777, kNobody, false, false, false},
      {01777, 0, true, true, false},        {0777, kNobody, true, true, false},
      {0777, kNobody, false, true, false},  {01777, kNobody, true, false, true},
      {0777, kNobody, true, true, true},
  };
  for (const auto& c : cases) {
    test::TempFolder shared;
    ASSERT_EQ(chmod(shared.Path().c_str(), c.folderMode), 0);
    const fs::path real = folder_ / "real.txt";
    fs::remove(real);
    if (c.targetExists)
      std::ofstream(real) << "old";
    const fs::path link = fs::path(shared.Path()) / "golden.cam";
    fs::create_symlink(c.asFolder ? folder_ : real, link);
    ASSERT_EQ(lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
    std::string error;
    const fs::path written = c.asFolder ? link / "real.txt" : link;
    EXPECT_EQ(WriteFileAtomically(written, "new", &error), c.followed) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    if (c.followed) {
      EXPECT_EQ(Read(real), "new");
    } else {
      EXPECT_EQ(fs::exists(real), c.targetExists);
      EXPECT_NE(error.find("refusing to write through " + link.string()), std::string::npos)
          << error;
    }
  }
}

// What WriteFileAtomically reports as the notice when run as an unprivileged user.
std::string NoticeOfUnprivilegedWrite(const fs::path& file) {
  return test::OutputAsNobody([&file] {
    std::string error;
    std::string notice;
    return WriteFileAtomically(file, "nobody's", &error, &notice) ? notice : "failed: " + error;
  });
}

TEST_F(AtomicFileTest, TheReplacedFilesOwnerIsKeptOrTheChangeIsReported) {
  if (geteuid() != 0)
    GTEST_SKIP() << "needs root to own files as another user";
  ASSERT_EQ(chmod(folder_.c_str(), 0777), 0);
  const fs::path file = folder_ / "a.cam";
  std::ofstream(file) << "old";
  ASSERT_EQ(chown(file.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(chmod(file.c_str(), 0664), 0);
  std::string notice = "not cleared";
  ASSERT_TRUE(WriteFileAtomically(file, "root's", nullptr, &notice));
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
  EXPECT_EQ(notice, "");

  // An unprivileged writer cannot give the new file to root: it says whose the file is now.
  ASSERT_EQ(chown(file.c_str(), 0, 0), 0);
  ASSERT_EQ(chmod(file.c_str(), 0666), 0);
  notice = NoticeOfUnprivilegedWrite(file);
  EXPECT_NE(notice.find(file.string() + " now belongs to "), std::string::npos) << notice;
  EXPECT_NE(notice.find("(it belonged to root:"), std::string::npos) << notice;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(Read(file), "nobody's");
}

// The id of a process that has ended and been reaped.
pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0)
    _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

TEST_F(AtomicFileTest, TemporaryFilesOfEndedRunsAreRemovedOnTheNextWrite) {
  const std::string dead = std::to_string(EndedProcess());
  const std::string live = std::to_string(getppid());
  const std::vector<std::string> stale = {".vistrel-" + dead + "-0", ".vistrel-" + dead + "-17"};
  // A run that is still writing, then names that are not the writer's pattern.
  const std::vector<std::string> kept = {".vistrel-" + live + "-3",
                                         ".vistrel-" + dead + "-2x",
                                         ".vistrel-" + dead,
                                         ".vistrel--5",
                                         ".vistrel-0" + dead + "-1",
                                         "vistrel-" + dead + "-1",
                                         "a.txt"};
  for (const auto& name : stale)
    std::ofstream(folder_ / name) << "half";
  for (const auto& name : kept)
    std::ofstream(folder_ / name) << "other";
  fs::create_directory(folder_ / (".vistrel-" + dead + "-4"));  // only files go
  fs::create_symlink(folder_ / "a.txt", folder_ / (".vistrel-" + dead + "-5"));
  fs::create_directory(folder_ / "sub");
  std::ofstream(folder_ / "sub" / (".vistrel-" + dead + "-6")) << "another folder";

  ASSERT_TRUE(WriteFileAtomically(folder_ / "b.txt", "new"));
  for (const auto& name : stale)
    EXPECT_FALSE(fs::exists(folder_ / name)) << name;
  for (const auto& name : kept)
    EXPECT_EQ(Read(folder_ / name), "other") << name;
  EXPECT_TRUE(fs::is_directory(folder_ / (".vistrel-" + dead + "-4")));
  EXPECT_TRUE(fs::is_symlink(folder_ / (".vistrel-" + dead + "-5")));
  EXPECT_TRUE(fs::exists(folder_ / "sub" / (".vistrel-" + dead + "-6")));
  EXPECT_EQ(Read(folder_ / "b.txt"), "new");
}

}  // namespace
}  // namespace vistrel
