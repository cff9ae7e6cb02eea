#pragma once

#include <array>
#include <span>
#include <string>

#include "transport/ClSerialApi.h"

namespace vistrel {

// The variable that names the folders the loader searches for a library given by its name.
#ifdef _WIN32
inline constexpr const char* kLoaderPathVariable = "PATH";
#else
inline constexpr const char* kLoaderPathVariable = "LD_LIBRARY_PATH";
#endif

// One loaded Camera Link serial library and the functions resolved from it. The loader
// counts references, so several ClLibrary objects may hold the same file; it stays in
// memory until the last one unloads.
class ClLibrary {
 public:
  ClLibrary() = default;
  ~ClLibrary() { Unload(); }
  ClLibrary(const ClLibrary&) = delete;
  ClLibrary& operator=(const ClLibrary&) = delete;

  // Loads `file` (a plain name goes through the loader's search, a name with a slash is a
  // path) and resolves every function in `required`, in that order; true only when all of
  // them were found. On failure nothing stays loaded.
  bool Load(const std::string& file, std::span<const ClFunction> required);
  void Unload();
  // Why the last Load failed, naming the file ("libclserial.so: cannot open shared object
  // file: No such file or directory"); empty after a Load that succeeded.
  const std::string& Error() const { return error_; }
  bool IsLoaded() const { return handle_ != nullptr; }

  template <ClFunction F>
  typename ClSignature<F>::Type Get() const {
    return reinterpret_cast<typename ClSignature<F>::Type>(symbols_[size_t(F)]);
  }

 private:
  void* handle_ = nullptr;
  std::string error_;
  std::array<void*, size_t(ClFunction::Count)> symbols_{};
};

}  // namespace vistrel
