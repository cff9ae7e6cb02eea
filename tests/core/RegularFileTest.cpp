#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/RegularFile.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

TEST(RegularFile, ReadsWholeFilesUpToTheBound) {
  test::TempFolder temp;
  std::ofstream(temp / "ten") << "0123456789";
  std::string contents = "old";
  EXPECT_TRUE(ReadRegularFile(temp / "ten", 10, contents).Ok());
  EXPECT_EQ(contents, "0123456789");
  std::ofstream(temp / "empty");
  EXPECT_TRUE(ReadRegularFile(temp / "empty", 10, contents).Ok());
  EXPECT_EQ(contents, "");

  const FileCheck large = ReadRegularFile(temp / "ten", 9, contents);
  EXPECT_EQ(large.status, FileStatus::TooLarge);
  EXPECT_EQ(large.Reason(), "larger than 9 bytes");
  EXPECT_EQ(contents, "");
  EXPECT_EQ(CheckRegularFile(temp / "ten", 9).status, FileStatus::TooLarge);

  // A link to a regular file is read through.
  std::filesystem::create_symlink(temp / "ten", temp / "link");
  EXPECT_TRUE(ReadRegularFile(temp / "link", 10, contents).Ok());
}

TEST(RegularFile, RefusesWhatIsNotARegularFileWithoutReadingOrWaiting) {
  test::TempFolder temp;
  ASSERT_EQ(mkfifo((temp / "pipe").c_str(), 0600), 0);  // no writer: an open could wait
  std::string contents;
  for (const std::string& path : {std::string("/dev/zero"), temp.Path(), temp / "pipe"}) {
    const FileCheck check = ReadRegularFile(path, 1 << 20, contents);
    EXPECT_EQ(check.status, FileStatus::NotRegular) << path;
    EXPECT_EQ(check.Reason(), "not a regular file");
  }
  const FileCheck missing = ReadRegularFile(temp / "none", 10, contents);
  EXPECT_EQ(missing.status, FileStatus::CannotOpen);
  EXPECT_EQ(missing.Reason(), "No such file or directory");
}

}  // namespace
}  // namespace vistrel
