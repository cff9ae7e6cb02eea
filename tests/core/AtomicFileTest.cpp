#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/AtomicFile.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;

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

TEST_F(AtomicFileTest, ReplacesContentsAndKeepsPermissions) {
  const fs::path file = folder_ / "a.txt";
  std::ofstream(file) << "old";
  chmod(file.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(file, "new\n"));
  EXPECT_EQ(Read(file), "new\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Entries(), 1u) << "no temporary file left behind";
}

TEST_F(AtomicFileTest, WritesThroughASymbolicLink) {
  const fs::path real = folder_ / "real.txt";
  const fs::path link = folder_ / "link.txt";
  std::ofstream(real) << "old";
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(real), "new");
}

TEST_F(AtomicFileTest, AFailedReplaceLeavesWhatWasThereAndSaysWhy) {
  const fs::path taken = folder_ / "taken";
  fs::create_directories(taken / "inside");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(taken.string(), "new", &error));
  EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(taken / "inside"));
  EXPECT_EQ(Entries(), 1u) << "the temporary file is removed";
}

TEST_F(AtomicFileTest, MissingFolderFails) {
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder_ / "no" / "b.txt").string(), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FolderOf("/a/b"), "/a");
  EXPECT_EQ(FolderOf("b"), ".");
  EXPECT_EQ(FolderOf("/b"), "/");
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
