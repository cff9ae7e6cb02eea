// The substitute Camera Link serial library, loaded with dlopen and driven through its C
// functions as a frame grabber's library would be.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "sim/clserial_api.h"
#include "support/TestEnvironment.h"

namespace vistrel::test {
namespace {

const std::string kFolder = VISTREL_CLSERIAL_DIR;

// The library under one of its names, with typed access to its functions.
class ClLibrary {
 public:
  explicit ClLibrary(const std::string& file = "libclallserial.so") {
    handle_ = ::dlopen((kFolder + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  ~ClLibrary() {
    if (handle_)
      ::dlclose(handle_);
  }
  bool Loaded() const { return handle_ != nullptr; }
  void* Symbol(const char* name) const { return handle_ ? ::dlsym(handle_, name) : nullptr; }
  template <typename F>
  F* Get(const char* name) const {
    return reinterpret_cast<F*>(Symbol(name));
  }

 private:
  void* handle_ = nullptr;
};

#define CL(lib, name) (lib).Get<decltype(::name)>(#name)

// Environment for the next (re)configuration of the library's ports.
void Configure(const ClLibrary& lib, const char* ports, const char* models, const char* ids,
               const char* mask) {
  ::setenv("VISTREL_CLSIM_PORTS", ports, 1);
  ::setenv("VISTREL_CLSIM_MODELS", models, 1);
  ::setenv("VISTREL_CLSIM_PORT_IDS", ids, 1);
  ::setenv("VISTREL_CLSIM_BAUD_MASK", mask, 1);
  ::setenv("VISTREL_CLSIM_MANUFACTURER", "ACME", 1);
  ::setenv("VISTREL_CLSIM_RESET_MS", "100", 1);
  ASSERT_EQ(CL(lib, clsimReconfigure)(), CL_ERR_NO_ERR);
}

// A line, read 10 ms at a time for at most `tries` times.
std::string ReadLine(const ClLibrary& lib, hSerRef ref, int tries = 200) {
  std::string line;
  for (int i = 0; i < tries && (line.empty() || line.back() != '\n'); ++i) {
    char c = 0;
    uint32_t count = 1;
    if (CL(lib, clSerialRead)(ref, &c, &count, 10) == CL_ERR_NO_ERR && count == 1)
      line.push_back(c);
  }
  return line;
}

void Write(const ClLibrary& lib, hSerRef ref, std::string text) {
  uint32_t count = static_cast<uint32_t>(text.size());
  EXPECT_EQ(CL(lib, clSerialWrite)(ref, text.data(), &count, 500), CL_ERR_NO_ERR);
}

std::string Ask(const ClLibrary& lib, hSerRef ref, const std::string& line, int tries = 200) {
  Write(lib, ref, line + "\r\n");
  return ReadLine(lib, ref, tries);
}

// The library's own helpers stay inside it.
TEST(ClSerialSimTest, ExportsNoHelperOfItsOwn) {
  ClLibrary lib;
  ASSERT_TRUE(lib.Loaded()) << ::dlerror();
  EXPECT_EQ(lib.Symbol("_ZN7vistrel12CommandTable4NameEi"), nullptr);
}

TEST(ClSerialSimTest, Enumeration) {
  ClLibrary lib;
  Configure(lib, "2", "RL-4100T-VLNK,QX-70500M-VLNK", "Port0,Port1", "31");
  uint32_t count = 0;
  EXPECT_EQ(CL(lib, clGetNumSerialPorts)(&count), CL_ERR_NO_ERR);
  EXPECT_EQ(count, 2u);

  char name[128];
  char id[128];
  uint32_t nameSize = sizeof(name);
  uint32_t idSize = sizeof(id);
  uint32_t version = 0;
  EXPECT_EQ(CL(lib, clGetPortInfo)(1, name, &nameSize, id, &idSize, &version), CL_ERR_NO_ERR);
  EXPECT_EQ(nameSize, 5u);
  EXPECT_EQ(version, static_cast<uint32_t>(CL_DLL_VERSION_1_1));
  EXPECT_EQ(CL(lib, clGetPortInfo)(2, name, &nameSize, id, &idSize, &version),
            CL_ERR_INVALID_INDEX);
  idSize = sizeof(id);
  EXPECT_EQ(CL(lib, clGetSerialPortIdentifier)(0, id, &idSize), CL_ERR_NO_ERR);
  EXPECT_STREQ(id, "Port0");
  idSize = 3;
  EXPECT_EQ(CL(lib, clGetSerialPortIdentifier)(0, id, &idSize), CL_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(idSize, 6u);

  EXPECT_EQ(CL(lib, clGetManufacturer)(1, name, &nameSize, &version), CL_ERR_INVALID_INDEX);
  EXPECT_EQ(CL(lib, clSelectManufacturer)("Other"), CL_ERR_MANU_DOES_NOT_EXIST);

  char text[64];
  uint32_t textSize = sizeof(text);
  EXPECT_EQ(CL(lib, clGetErrorText)("ACME", CL_ERR_TIMEOUT, text, &textSize), CL_ERR_NO_ERR);
  EXPECT_STREQ(text, "Timeout");
  EXPECT_EQ(CL(lib, clGetErrorText)("ACME", -1, text, &textSize), CL_ERR_ERROR_NOT_FOUND);

  Configure(lib, "0", "", "", "31");
  EXPECT_EQ(CL(lib, clGetNumPorts)(&count), CL_ERR_NO_ERR);
  EXPECT_EQ(count, 0u);
}

TEST(ClSerialSimTest, EachPortIsACamera) {
  ClLibrary lib;
  Configure(lib, "2", "RL-4100T-VLNK,QX-70500M-VLNK", "", "31");
  hSerRef first = nullptr;
  hSerRef second = nullptr;
  ASSERT_EQ(CL(lib, clSerialInit)(0, &first), CL_ERR_NO_ERR);
  ASSERT_EQ(CL(lib, clSerialInit)(1, &second), CL_ERR_NO_ERR);
  hSerRef again = nullptr;
  EXPECT_EQ(CL(lib, clSerialInit)(1, &again), CL_ERR_PORT_IN_USE);
  EXPECT_EQ(CL(lib, clSerialInit)(2, &again), CL_ERR_INVALID_INDEX);
  EXPECT_EQ(CL(lib, clsimReconfigure)(), CL_ERR_PORT_IN_USE);

  EXPECT_EQ(Ask(lib, second, "TI=3"), "COMPLETE\r\n");

  // A larger read takes what is there; bytes wait until read or flushed.
  Write(lib, second, "TI?\r\nMD?\r\n");
  uint32_t waiting = 0;
  EXPECT_EQ(CL(lib, clGetNumBytesAvail)(second, &waiting), CL_ERR_NO_ERR);
  EXPECT_EQ(waiting, 25u);
  char buffer[64];
  uint32_t count = 6;
  EXPECT_EQ(CL(lib, clSerialRead)(second, buffer, &count, 10), CL_ERR_NO_ERR);
  EXPECT_EQ(std::string(buffer, count), "TI=3\r\n");
  EXPECT_EQ(CL(lib, clFlushPort)(second), CL_ERR_NO_ERR);
  count = sizeof(buffer);
  EXPECT_EQ(CL(lib, clSerialRead)(second, buffer, &count, 10), CL_ERR_TIMEOUT);
  EXPECT_EQ(count, 0u);

  // Closed references are refused; the camera keeps its state for the next session.
  CL(lib, clSerialClose)(second);
  count = 1;
  EXPECT_EQ(CL(lib, clSerialRead)(second, buffer, &count, 10), CL_ERR_INVALID_REFERENCE);
  ASSERT_EQ(CL(lib, clSerialInit)(1, &second), CL_ERR_NO_ERR);
  EXPECT_EQ(Ask(lib, second, "TI?"), "TI=3\r\n");
  CL(lib, clSerialClose)(second);
  CL(lib, clSerialClose)(first);
  CL(lib, clSerialClose)(first);  // twice is harmless
}

TEST(ClSerialSimTest, ReadsHonourTheTimeLimit) {
  ClLibrary lib;
  Configure(lib, "1", "", "", "31");
  hSerRef ref = nullptr;
  ASSERT_EQ(CL(lib, clSerialInit)(0, &ref), CL_ERR_NO_ERR);
  char c = 0;
  uint32_t count = 1;
  EXPECT_EQ(CL(lib, clSerialRead)(ref, &c, &count, 200), CL_ERR_TIMEOUT);
  EXPECT_EQ(count, 0u);

  // A reader in another thread gets the reply.
  std::string got;
  std::thread reader([&] {
    char buffer[32];
    uint32_t size = sizeof(buffer);
    if (CL(lib, clSerialRead)(ref, buffer, &size, 5000) == CL_ERR_NO_ERR)
      got.assign(buffer, size);
  });
  Write(lib, ref, "TI?\r\n");
  reader.join();
  EXPECT_EQ(got, "TI=0\r\n");

  // The reset silence: acknowledged, then nothing until the camera is back.
  EXPECT_EQ(Ask(lib, ref, "CRS00=1"), "COMPLETE\r\n");
  Write(lib, ref, "TI?\r\n");
  count = 1;
  EXPECT_EQ(CL(lib, clSerialRead)(ref, &c, &count, 20), CL_ERR_TIMEOUT);
  EXPECT_TRUE(test::WaitUntil([&] { return Ask(lib, ref, "TI?", 10) == "TI=0\r\n"; }));
  CL(lib, clSerialClose)(ref);
}

TEST(ClSerialSimTest, BaudRates) {
  ClLibrary lib;
  Configure(lib, "1", "", "", "63");
  hSerRef ref = nullptr;
  ASSERT_EQ(CL(lib, clSerialInit)(0, &ref), CL_ERR_NO_ERR);
  uint32_t mask = 0;
  EXPECT_EQ(CL(lib, clSetBaudRate)(ref, CL_BAUDRATE_230400), CL_ERR_NO_ERR);
  EXPECT_EQ(CL(lib, clSetBaudRate)(ref, 3), CL_ERR_BAUD_RATE_NOT_SUPPORTED);
  EXPECT_EQ(Ask(lib, ref, "SBDRT?"), "SBDRT=63\r\n");
  CL(lib, clSerialClose)(ref);
  EXPECT_EQ(CL(lib, clGetSupportedBaudRates)(ref, &mask), CL_ERR_INVALID_REFERENCE);
}

}  // namespace
}  // namespace vistrel::test
