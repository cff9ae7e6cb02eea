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

// A file larger than any setting file is refused before anything reaches the camera.
TEST(SettingFileBounds, OversizedFilesAreRefused) {
  test::TempFolder temp;
  const std::string big = temp / "big.cam";
  {
    std::ofstream out(big);
    const std::string line = "TI=1\n";
    for (size_t size = 0; size <= kMaxSettingFileBytes; size += line.size())
      out << line;
  }
  {
    CameraFixture f;
    EXPECT_EQ(LoadSettingFile(f.session, big), Outcome::BadInput);
    EXPECT_TRUE(f.channel.written.empty());
    ASSERT_EQ(f.presenter.messages.size(), 1u);
    EXPECT_TRUE(f.presenter.messages[0].text.starts_with(big + "\nCouldn't open this file ("))
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
