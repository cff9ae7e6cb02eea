#include "transport/ClLibrary.h"

#include <dlfcn.h>

namespace vistrel {

bool ClLibrary::Load(const std::string& file, std::span<const ClFunction> required) {
  Unload();
  error_.clear();
  if (file.empty())
    return false;
  handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = ::dlerror();
    error_ = reason ? reason : file + ": cannot be loaded";
    return false;
  }
  for (ClFunction function : required) {
    void* symbol = ::dlsym(handle_, kClFunctionNames[size_t(function)]);
    if (!symbol) {
      Unload();
      error_ = file + ": has no function " + kClFunctionNames[size_t(function)];
      return false;
    }
    symbols_[size_t(function)] = symbol;
  }
  return true;
}

void ClLibrary::Unload() {
  if (handle_)
    ::dlclose(handle_);
  handle_ = nullptr;
  symbols_.fill(nullptr);
}

}  // namespace vistrel
