// The Camera Link bindings against the simulator's substitute library, loaded with dlopen
// like a vendor's library.
#include <gtest/gtest.h>

#ifdef VISTREL_CLSERIAL_DIR

#include <dlfcn.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <type_traits>

#include "TransportFixtures.h"
#include "core/Command.h"
#include "sim/clserial_api.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::RecordingPresenter;
using test::RecordingTraffic;
using test::ScopedEnv;
using test::TempFolder;

// The bindings call the library through these signatures: they must be the library's.
#define VISTREL_SAME_SIGNATURE(Function, library) \
  static_assert(std::is_same_v<ClSignature<ClFunction::Function>::Type, decltype(&::library)>)
VISTREL_SAME_SIGNATURE(SerialInit, clSerialInit);
VISTREL_SAME_SIGNATURE(SerialClose, clSerialClose);
VISTREL_SAME_SIGNATURE(SerialRead, clSerialRead);
VISTREL_SAME_SIGNATURE(SerialWrite, clSerialWrite);
VISTREL_SAME_SIGNATURE(GetManufacturer, clGetManufacturer);
VISTREL_SAME_SIGNATURE(GetNumManufacturers, clGetNumManufacturers);
VISTREL_SAME_SIGNATURE(SelectManufacturer, clSelectManufacturer);
VISTREL_SAME_SIGNATURE(GetSupportedBaudRates, clGetSupportedBaudRates);
VISTREL_SAME_SIGNATURE(SetBaudRate, clSetBaudRate);
VISTREL_SAME_SIGNATURE(GetNumPorts, clGetNumPorts);
VISTREL_SAME_SIGNATURE(GetPortInfo, clGetPortInfo);
#undef VISTREL_SAME_SIGNATURE
static_assert(ClBaudRateBit(115200) == CL_BAUDRATE_115200 && ClBaudRateBit(921600) == 128 &&
              ClBaudRateBit(14400) == 0);

const std::string kLibraryDir = VISTREL_CLSERIAL_DIR;
const std::string kLibrary = kLibraryDir + "/clserSIM.so";

// Sets the substitute library's ports up from its environment variables.
class ClSerialTest : public ::testing::Test {
 protected:
  void Configure(const std::string& ports, const std::string& models,
                 const std::string& manufacturer = "Vistrel", const std::string& ids = "",
                 const std::string& mask = "31") {
    env_.clear();
    env_.push_back(std::make_unique<ScopedEnv>("VISTREL_CLSIM_PORTS", ports));
    env_.push_back(std::make_unique<ScopedEnv>("VISTREL_CLSIM_MODELS", models));
    env_.push_back(std::make_unique<ScopedEnv>("VISTREL_CLSIM_MANUFACTURER", manufacturer));
    env_.push_back(std::make_unique<ScopedEnv>("VISTREL_CLSIM_PORT_IDS", ids));
    env_.push_back(std::make_unique<ScopedEnv>("VISTREL_CLSIM_BAUD_MASK", mask));
    void* library = ::dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    auto reconfigure = reinterpret_cast<int32_t (*)()>(::dlsym(library, "clsimReconfigure"));
    ASSERT_NE(reconfigure, nullptr);
    ASSERT_EQ(reconfigure(), CL_ERR_NO_ERR) << "a port of an earlier test is still open";
    ::dlclose(library);
  }

  // One query through a channel; the reply line without its line end.
  static std::string Ask(CClSerialChannel& channel, const std::string& line) {
    if (!channel.Write(line.data(), uint32_t(line.size()), 500))
      return "<write failed>";
    std::string reply;
    char byte = 0;
    while (channel.Read(&byte, 1, 1000) == 1 && byte != '\n') {
      if (byte != '\r')
        reply += byte;
    }
    return reply;
  }

  TempFolder temp;
  RecordingPresenter messages;

 private:
  std::vector<std::unique_ptr<ScopedEnv>> env_;
};

TEST_F(ClSerialTest, Generation2000ListsTheLibraryFilesAndOpensTheChosenOne) {
  Configure("2", "RL-4100T-VLNK,QX-70500M-VLNK");
  std::ofstream(temp / "clserA.so") << "not a library";
  fs::create_symlink(kLibrary, temp / "libclserB.so");
  std::ofstream(temp / "other.so") << "";
  fs::create_directory(temp / "clserDir.so");
  ScopedEnv path("CLSERIALPATH", temp.Path());

  CClSerial2000 channel(messages);
  channel.RefreshNames();
  EXPECT_EQ(channel.PortNameList(), (std::vector<std::string>{"clserA.so", "libclserB.so"}));
  EXPECT_FALSE(channel.Open(0)) << "the first file is no library";
  EXPECT_FALSE(channel.IsOpen());
  // Index 1 loads the second file and opens serial index 1 of it.
  ASSERT_TRUE(channel.Open(1));
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "MD=QX-70500M-VLNK");
  EXPECT_FALSE(channel.Open(2)) << "no third file";
  EXPECT_TRUE(messages.messages.empty());

  ASSERT_TRUE(channel.Open(1));
  EXPECT_TRUE(channel.SetBaudRate(9600));
  EXPECT_FALSE(channel.SetBaudRate(19200));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Selected baud rate is not supported.");
  EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "MD=QX-70500M-VLNK") << "a refused rate leaves it open";
  channel.Close();
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "<write failed>");
}

TEST_F(ClSerialTest, WithoutLibrariesThereAreNoNamesAndNothingOpens) {
  Configure("1", "QX-70500C-VLNK");
  for (const std::string& folder : {std::string(), temp.Path()}) {  // unset, empty folder
    ScopedEnv path("CLSERIALPATH", folder);
    CClSerial2000 channel(messages);
    channel.RefreshNames();
    EXPECT_TRUE(channel.PortNameList().empty());
    EXPECT_FALSE(channel.Open(0));
    EXPECT_EQ(channel.LibraryProblem(),
              "no Camera Link 2000 library: no file clser*.so or libclser*.so in CLSERIALPATH" +
                  (folder.empty() ? ", which is not set" : " (" + folder + ")"));
  }

  const std::string file = temp / "libclserial.so";
  CClSerial2001 cl2001(messages, file);
  CClSerialVer11 clVer11(messages, file);
  cl2001.RefreshNames();
  clVer11.RefreshNames();
  EXPECT_TRUE(cl2001.PortNameList().empty());
  EXPECT_TRUE(clVer11.PortNameList().empty());
  EXPECT_FALSE(cl2001.Open(0));
  EXPECT_FALSE(clVer11.Open(0));
  EXPECT_TRUE(
      cl2001.LibraryProblem().starts_with("the Camera Link 2001 library could not be "
                                          "loaded (" +
                                          file + ": "))
      << cl2001.LibraryProblem();

  // A library without the serial functions does not load.
  Dl_info info{};
  ASSERT_NE(::dladdr(reinterpret_cast<void*>(&::dlopen), &info), 0);
  fs::create_symlink(info.dli_fname, file);
  EXPECT_FALSE(cl2001.Open(0));
  EXPECT_FALSE(clVer11.Open(0));
  EXPECT_TRUE(clVer11.LibraryProblem().ends_with(file + ": has no function clSerialInit)"))
      << clVer11.LibraryProblem();
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ClSerialTest, Generation2001SelectsTheManufacturerAndChecksTheRate) {
  Configure("1", "QX-70500C-VLNK", "ACME", "", "15");  // 9600 to 57600
  CClSerial2001 channel(messages, kLibrary);
  channel.RefreshNames();
  EXPECT_EQ(channel.PortNameList(), std::vector<std::string>{"ACME"});
  EXPECT_FALSE(channel.Open(1)) << "no second manufacturer";
  EXPECT_FALSE(channel.SetBaudRate(9600)) << "nothing open";
  EXPECT_TRUE(messages.messages.empty());

  ASSERT_TRUE(channel.Open(0));
  EXPECT_TRUE(channel.SetBaudRate(57600));
  for (uint32_t refused : {115200u, 14400u}) {
    messages.messages.clear();
    EXPECT_FALSE(channel.SetBaudRate(refused));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Selected baud rate is not supported.");
  }
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "MD=QX-70500C-VLNK");
}

TEST_F(ClSerialTest, Version11ListsEveryPortAndNamesItInTheRefusal) {
  Configure("2", "RL-8200T-VLNK,QX-70500M-VLNK", "ACME", "Port0,Port1", "7");
  CClSerialVer11 channel(messages, kLibrary);
  channel.RefreshNames();
  EXPECT_EQ(channel.PortNameList(), (std::vector<std::string>{"ACME - Port0", "ACME - Port1"}));
  ASSERT_TRUE(channel.Open(1));
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "MD=QX-70500M-VLNK");
  EXPECT_TRUE(channel.SetBaudRate(38400));
  EXPECT_FALSE(channel.SetBaudRate(57600));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Selected baud rate is not supported in ACME - Port1.");

  // Refreshing the list while the port is open leaves the port usable.
  channel.RefreshNames();
  channel.RefreshNames();
  EXPECT_EQ(Ask(channel, "MD?\r\n"), "MD=QX-70500M-VLNK");
  EXPECT_FALSE(channel.Open(2));
}

TEST_F(ClSerialTest, TheChannelObjectDrivesALibraryFoundByTheLoader) {
  Configure("2", "QX-70500C-VLNK,RL-4100T-VLNK", "ACME", "Port0,Port1", "31");
  StoredSettings store(temp.Path());
  RecordingTraffic traffic;
  CCommunication channel(store, messages, traffic);
  Command engine(channel, messages);
  constexpr uint32_t kVer11 = 3;

  channel.SetMode(kVer11);
  EXPECT_EQ(channel.GetPortCount(), 2);
  EXPECT_EQ(channel.GetPortName(1), "ACME - Port1");
  EXPECT_EQ(channel.GetPortName(2), "");
  ASSERT_TRUE(channel.Open(kVer11, 115200, 1));
  EXPECT_EQ(channel.GetPortCount(), 2) << "the dialog refreshes the list of the open mode";
  std::string reply;
  ASSERT_EQ(engine.Exchange("MD?\r\n", reply, 1000), Outcome::Done);
  EXPECT_EQ(reply, "MD=RL-4100T-VLNK");
  EXPECT_EQ(traffic.lines.front(), "Tx: MD?");

  char buffer[8];
  EXPECT_EQ(channel.Read(buffer, 5, 100), 0);
  EXPECT_EQ(channel.Read(buffer, 1, 0), 0);

  // A refused rate: the message, a failed open, and the port still answers.
  EXPECT_FALSE(channel.Open(kVer11, 230400, 0));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Selected baud rate is not supported in ACME - Port0.");
  ASSERT_EQ(engine.Exchange("MD?\r\n", reply, 1000), Outcome::Done);
  EXPECT_EQ(reply, "MD=QX-70500C-VLNK");

  // The 2001 library by its plain name, and the 2000 generation.
  ASSERT_TRUE(channel.Open(2, 9600, 0));
  ASSERT_EQ(engine.Exchange("MD?\r\n", reply, 1000), Outcome::Done);
  EXPECT_EQ(reply, "MD=QX-70500C-VLNK");
  ScopedEnv path("CLSERIALPATH", kLibraryDir);
  channel.Close();
  channel.SetMode(1);
  ASSERT_EQ(channel.GetPortCount(), 2);
  ASSERT_TRUE(channel.Open(1, 9600, 1));
  EXPECT_TRUE(channel.Write("MD?\r\n"));
  channel.Close();
  EXPECT_FALSE(channel.Write("MD?\r\n"));
}

}  // namespace
}  // namespace vistrel

#else

TEST(ClSerial, SkippedWithoutTheSubstituteLibrary) {
  GTEST_SKIP() << "the simulator's substitute Camera Link library is not built";
}

#endif
