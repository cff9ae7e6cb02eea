// Serial devices found over a fake device tree, and the choice of one kept by its stable name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TransportFixtures.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"
#include "transport/SerialDiscovery.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using test::PtyPeer;
using test::RecordingPresenter;
using test::RecordingTraffic;
using test::TempFolder;

constexpr const char* kFtdi = "usb-FTDI_FT232R_USB_UART_A1B2-if00-port0";

// A folder standing in for /dev (with serial/by-id) and /sys.
class FakeTree {
 public:
  FakeTree() {
    fs::create_directories(Dev() + "/serial/by-id");
    fs::create_directories(Sys());
  }
  std::string Dev() const { return temp_ / "dev"; }
  std::string Sys() const { return temp_ / "sys"; }
  DeviceTree Tree() const { return {Dev(), Sys()}; }

  // A device node; `target` makes it lead to a real device (a pseudo-terminal).
  void AddDevice(const std::string& name, const std::string& target = {}) {
    if (target.empty())
      std::ofstream(Dev() + "/" + name) << "";
    else
      fs::create_symlink(target, Dev() + "/" + name);
  }
  void Remove(const std::string& relative) { fs::remove(Dev() + "/" + relative); }
  void AddUart(const std::string& name, const std::string& type) {
    fs::create_directories(Sys() + "/class/tty/" + name);
    std::ofstream(Sys() + "/class/tty/" + name + "/type") << type << '\n';
  }
  // udev's stable link, relative as udev makes it.
  void AddById(const std::string& name, const std::string& device) {
    const std::string link = Dev() + "/serial/by-id/" + name;
    fs::remove(link);
    fs::create_symlink("../../" + device, link);
  }
  std::string ById(const std::string& name) const { return Dev() + "/serial/by-id/" + name; }

 private:
  TempFolder temp_;
};

TEST(SerialDiscovery, FindsAdaptersByStableNameAndOnlyTheSerialPortsWithAUart) {
  FakeTree tree;
  for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS1", "ttyS2",
                           "ttyS10", "tty", "ttyUSBx", "console"}) {
    tree.AddDevice(name);
  }
  tree.AddUart("ttyS0", "4");
  tree.AddUart("ttyS1", "0");  // a port without hardware
  tree.AddUart("ttyS10", "4");
  tree.AddById(kFtdi, "ttyUSB1");
  tree.AddById("usb-Gone_Adapter-if00-port0", "ttyUSB7");  // left over, leads nowhere

  const std::vector<SerialPortInfo> ports = DiscoverSerialPorts(tree.Tree());
  std::vector<std::string> paths;
  for (const SerialPortInfo& port : ports)
    paths.push_back(port.path);
  const std::string dev = tree.Dev() + "/";
  EXPECT_EQ(paths, (std::vector<std::string>{tree.ById(kFtdi), dev + "ttyUSB0", dev + "ttyUSB10",
                                             dev + "ttyACM0", dev + "ttyS0", dev + "ttyS10"}));
  ASSERT_FALSE(ports.empty());
  EXPECT_EQ(ports[0].device, dev + "ttyUSB1");
  EXPECT_EQ(ports[0].adapter, "FTDI FT232R USB UART A1B2");
  EXPECT_TRUE(ports[0].stable);
  EXPECT_FALSE(ports[1].stable);
  EXPECT_EQ(ports[1].adapter, "");

  EXPECT_EQ(AdapterFromById("usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0"),
            "Prolific Technology Inc. USB-Serial Controller");
  EXPECT_EQ(AdapterFromById("pci-0000:00:16.3"), "");

  EXPECT_TRUE(DiscoverSerialPorts({tree.Dev() + "/none", tree.Sys() + "/none"}).empty());
}

TEST(SerialDiscovery, TheChosenAdapterSurvivesARestartAndANewTtyUsbNumber) {
  TempFolder settings;
  FakeTree tree;
  RecordingPresenter messages;
  TrafficFanOut traffic;
  PtyPeer first([](const std::string& line) { return "first " + line; });
  PtyPeer second([](const std::string& line) { return "second " + line; });
  tree.AddDevice("ttyUSB0", first.SlavePath());
  tree.AddById(kFtdi, "ttyUSB0");
  const int adapter = kComPortCount;  // the first entry after the COM names
  {
    StoredSettings store(settings.Path());
    store.SetStoredNumber(kStoredComPortNo, kComPortCount);  // COM33, only through a link
    CCommunication channel(store, messages, traffic);
    channel.SetDeviceTree(tree.Tree());
    ASSERT_EQ(channel.GetPortCount(), kComPortCount + 1);
    EXPECT_EQ(channel.GetPortListIndex(), CCommunication::kNotListed) << "not the adapter";
    ASSERT_TRUE(channel.OpenPort(adapter));
    EXPECT_EQ(channel.GetPortListIndex(), uint32_t(adapter));
    EXPECT_EQ(channel.GetPortIndex(0), uint32_t(kComPortCount)) << "the COM index stays as it was";
  }

  // Plugged into another socket: udev moves the same stable name to ttyUSB3.
  tree.Remove("ttyUSB0");
  tree.AddDevice("ttyUSB3", second.SlavePath());
  tree.AddById(kFtdi, "ttyUSB3");
  {
    StoredSettings store(settings.Path());
    EXPECT_EQ(store.GetStoredText(kStoredComPortDevice).value, tree.ById(kFtdi));
    CCommunication channel(store, messages, traffic);
    channel.SetDeviceTree(tree.Tree());
    ASSERT_EQ(channel.GetPortCount(), kComPortCount + 1);
    EXPECT_EQ(channel.GetPortListIndex(), uint32_t(adapter));
    EXPECT_EQ(channel.GetPortName(adapter), "FTDI FT232R USB UART A1B2 (ttyUSB3)");
    ASSERT_TRUE(channel.Reopen());
    ASSERT_TRUE(channel.Write("MD?\n"));
    char reply[11] = {};
    EXPECT_EQ(channel.Read(reply, 11, 2000), 11);
    EXPECT_EQ(std::string(reply, 11), "second MD?\n");
  }
  EXPECT_TRUE(messages.messages.empty());

  // Unplugged: the choice stays listed as not connected, and opening it says what is wrong.
  tree.Remove("serial/by-id/" + std::string(kFtdi));
  tree.Remove("ttyUSB3");
  {
    StoredSettings store(settings.Path());
    CCommunication channel(store, messages, traffic);
    channel.SetDeviceTree(tree.Tree());
    ASSERT_EQ(channel.GetPortCount(), kComPortCount + 1);
    EXPECT_EQ(channel.GetPortListIndex(), uint32_t(adapter));
    EXPECT_EQ(channel.GetPortName(adapter), "FTDI FT232R USB UART A1B2 (not connected)");
    EXPECT_EQ(channel.GetPortDevice(adapter), "not connected");
    EXPECT_FALSE(channel.Reopen());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("There is no such device: " + tree.ById(kFtdi)),
              std::string::npos);
    // Choosing a COM name again forgets the device.
    channel.OpenPort(1);
  }
  StoredSettings store(settings.Path());
  EXPECT_EQ(store.GetStoredText(kStoredComPortDevice).value, "");
  EXPECT_EQ(store.GetStoredNumber(kStoredComPortNo, 9).value, 1u);
}

}  // namespace
}  // namespace vistrel
