#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "WindowsFixture.h"
#include "transport/StoredSettings.h"

namespace vistrel {
namespace {

// Every test works in a key of its own below HKEY_CURRENT_USER, deleted afterwards.
class RegistrySettingsTest : public ::testing::Test {
 protected:
  RegistrySettingsTest()
      : key_("Software\\Vistrel Tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()),
        environment_("VISTREL_REGISTRY_KEY", key_) {
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
  }
  ~RegistrySettingsTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

  void PutRaw(const char* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(key);
  }
  DWORD RawType(const char* name) {
    DWORD type = REG_NONE;
    RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name, RRF_RT_ANY, &type, nullptr, nullptr);
    return type;
  }

  std::string key_;
  test::ScopedEnvironment environment_;
  test::TempFolder folder_;
};

TEST_F(RegistrySettingsTest, FirstAccessCreatesTheKeyAndKeepsTheFirstWrite) {
  StoredSettings settings(folder_.Path().string(), StoredSettings::ShutdownMarker::Leave);
  EXPECT_EQ(settings.GetStoredNumber(kStoredBaudrate, 9600).value, 9600u);
  EXPECT_FALSE(settings.GetStoredNumber(kStoredBaudrate, 9600).stored);
  // The very first write of a run on a new machine is kept, not lost to the key's creation.
  EXPECT_TRUE(settings.SetStoredNumber(kStoredBaudrate, 115200));
  const auto read = settings.GetStoredNumber(kStoredBaudrate, 9600);
  EXPECT_TRUE(read.stored);
  EXPECT_EQ(read.value, 115200u);
  EXPECT_EQ(RawType("Baudrate"), DWORD(REG_DWORD));
}

TEST_F(RegistrySettingsTest, NumbersKeptAsTextReadAsTheirLeadingDigits) {
  PutRaw("Baudrate", REG_SZ, "19200", 6);
  PutRaw("Communication Mode", REG_SZ, "x", 2);
  PutRaw("Com Port No", REG_SZ, "99999999999", 12);
  StoredSettings settings(folder_.Path().string(), StoredSettings::ShutdownMarker::Leave);
  EXPECT_EQ(settings.GetStoredNumber(kStoredBaudrate, 9600).value, 19200u);
  EXPECT_EQ(settings.GetStoredNumber(kStoredCommunicationMode, 7).value, 0u);
  // More than 32 bits is no number: the default, as for a missing value.
  const auto tooLarge = settings.GetStoredNumber(kStoredComPortNo, 3);
  EXPECT_FALSE(tooLarge.stored);
  EXPECT_EQ(tooLarge.value, 3u);
}

TEST_F(RegistrySettingsTest, TextsRoundTripAndOtherTypesReadAsNotStored) {
  StoredSettings settings(folder_.Path().string(), StoredSettings::ShutdownMarker::Leave);
  const std::string folder(700, 'f');  // longer than a 512-byte buffer would hold
  ASSERT_TRUE(settings.SetStoredText(kStoredCameraFilePath, "C:\\Cameras\\" + folder));
  const auto text = settings.GetStoredText(kStoredCameraFilePath);
  EXPECT_TRUE(text.stored);
  EXPECT_EQ(text.value, "C:\\Cameras\\" + folder);
  EXPECT_EQ(RawType("Camera File Path"), DWORD(REG_SZ));

  const DWORD number = 5;
  PutRaw("Command Log File Path", REG_DWORD, &number, sizeof number);
  const auto wrongType = settings.GetStoredText(kStoredCommandLogFilePath);
  EXPECT_FALSE(wrongType.stored);
  EXPECT_EQ(wrongType.value, std::filesystem::current_path().string());
}

TEST_F(RegistrySettingsTest, IndicesOutsideTheTableReadTheDefaultAndWriteNothing) {
  StoredSettings settings(folder_.Path().string(), StoredSettings::ShutdownMarker::Leave);
  const int outside = int(kStoredValues.size());
  EXPECT_FALSE(settings.SetStoredNumber(outside, 1));
  EXPECT_FALSE(settings.SetStoredText(-1, "x"));
  EXPECT_FALSE(settings.SetStoredNumbers({{kStoredBaudrate, 19200}, {outside, 1}}));
  EXPECT_FALSE(settings.GetStoredNumber(kStoredBaudrate, 9600).stored);
  EXPECT_EQ(settings.GetStoredNumber(outside, 42).value, 42u);
}

TEST_F(RegistrySettingsTest, ShutdownMarkerTellsWhetherThePreviousRunEndedNormally) {
  {
    StoredSettings first(folder_.Path().string());
    EXPECT_FALSE(first.PreviousShutdownWasNormal());
    EXPECT_EQ(first.GetStoredNumber(kStoredShutdownStatus, 9).value, 0u);
  }
  {
    StoredSettings second(folder_.Path().string());
    EXPECT_TRUE(second.PreviousShutdownWasNormal());
    // A run that is killed never gets here: the marker stays 0.
    second.SetStoredNumber(kStoredShutdownStatus, 0);
    StoredSettings watcher(folder_.Path().string(), StoredSettings::ShutdownMarker::Leave);
    EXPECT_FALSE(watcher.PreviousShutdownWasNormal());
  }
}

}  // namespace
}  // namespace vistrel
