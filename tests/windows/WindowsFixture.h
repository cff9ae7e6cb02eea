#pragma once

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vistrel::test {

// Sets an environment variable for the fixture's lifetime (both the C runtime's copy, which
// getenv reads, and the process's).
class ScopedEnvironment {
 public:
  ScopedEnvironment(const std::string& name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name.c_str()))
      old_ = old, hadOld_ = true;
    Set(value);
  }
  ~ScopedEnvironment() { hadOld_ ? Set(old_) : Set(std::string()); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const std::string& value) {
    _putenv_s(name_.c_str(), value.c_str());
    SetEnvironmentVariableA(name_.c_str(), value.empty() ? nullptr : value.c_str());
  }
  std::string name_;
  std::string old_;
  bool hadOld_ = false;
};

// A fresh folder under the temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ =
        std::filesystem::temp_directory_path() /
        ("vistrel-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace vistrel::test
