#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "camera/CameraFixture.h"
#include "camera/SettingFile.h"
#include "camera/SettingFileLimits.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

using test::CameraFixture;

// What is not a setting file is refused before anything reaches the camera.
TEST(SettingFileBounds, DevicesFoldersAndOversizedFilesAreRefused) {
  test::TempFolder temp;
  const std::string big = temp / "big.cam";
  {
    std::ofstream out(big);
    const std::string line = "TI=1\n";
    for (size_t size = 0; size <= kMaxSettingFileBytes; size += line.size())
      out << line;
  }
  for (const std::string& path : {std::string("/dev/zero"), temp.Path(), big}) {
    CameraFixture f;
    f.channel.written.clear();
    EXPECT_EQ(LoadSettingFile(f.session, path), Outcome::BadInput) << path;
    EXPECT_TRUE(f.channel.written.empty()) << path;
    ASSERT_EQ(f.presenter.messages.size(), 1u) << path;
    EXPECT_EQ(f.presenter.messages[0].caption, "File Open Error");
    EXPECT_TRUE(f.presenter.messages[0].text.starts_with(path + "\nCouldn't open this file ("))
        << f.presenter.messages[0].text;
    EXPECT_EQ(f.progress.ended, 0) << "the pass never began";
  }

  // A file just at the bound is still read.
  std::filesystem::resize_file(big, kMaxSettingFileBytes);
  CameraFixture f;
  EXPECT_EQ(LoadSettingFile(f.session, big), Outcome::Done);
  EXPECT_TRUE(f.presenter.messages.empty());
}

}  // namespace
}  // namespace vistrel
