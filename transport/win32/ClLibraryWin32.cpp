#include <windows.h>

#include "transport/ClLibrary.h"

namespace vistrel {

bool ClLibrary::Load(const std::string& file, std::span<const ClFunction> required) {
  Unload();
  error_.clear();
  if (file.empty())
    return false;
  // A library that cannot be loaded is reported by the result, never by a system dialog.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  HMODULE module = LoadLibraryA(file.c_str());
  SetThreadErrorMode(previousMode, nullptr);
  if (!module) {
    error_ = file + ": cannot be loaded (system error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  handle_ = module;
  for (ClFunction function : required) {
    FARPROC symbol = GetProcAddress(module, kClFunctionNames[size_t(function)]);
    if (!symbol) {
      Unload();
      error_ = file + ": has no function " + kClFunctionNames[size_t(function)];
      return false;
    }
    symbols_[size_t(function)] = reinterpret_cast<void*>(symbol);
  }
  return true;
}

void ClLibrary::Unload() {
  if (handle_)
    FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
  symbols_.fill(nullptr);
}

}  // namespace vistrel
