#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "WindowsFixture.h"
#include "core/AtomicFile.h"

namespace vistrel {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

size_t FilesIn(const std::filesystem::path& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
    ++count;
  return count;
}

TEST(AtomicFileWin32, CreatesAndReplacesWithoutLeavingTemporaries) {
  test::TempFolder folder;
  const std::string path = folder.File("camera.cam");
  ASSERT_TRUE(WriteFileAtomically(path, "first\r\n"));
  EXPECT_EQ(Contents(path), "first\r\n");
  ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x')));
  EXPECT_EQ(Contents(path), std::string(100000, 'x'));
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(Contents(path), "");
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(AtomicFileWin32, FailureLeavesTheOldFileAndSaysWhy) {
  test::TempFolder folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("missing\\camera.cam"), "x", &error));
  EXPECT_NE(error.find("cannot create a file in"), std::string::npos) << error;

  // A read-only target cannot be replaced: it keeps its contents, no temporary stays.
  const std::string path = folder.File("locked.cam");
  ASSERT_TRUE(WriteFileAtomically(path, "kept"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  error.clear();
  EXPECT_FALSE(WriteFileAtomically(path, "lost", &error));
  EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Contents(path), "kept");
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(AtomicFileWin32, FolderOfTakesBothSeparators) {
  EXPECT_EQ(FolderOf("C:\\cams\\a.cam"), "C:\\cams");
  EXPECT_EQ(FolderOf("C:/cams/a.cam"), "C:/cams");
  EXPECT_EQ(FolderOf("C:\\a.cam"), "C:\\");
  EXPECT_EQ(FolderOf("a.cam"), ".");
}

}  // namespace
}  // namespace vistrel
