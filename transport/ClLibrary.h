#pragma once

#include <array>
#include <span>
#include <string>

#include "transport/ClSerialApi.h"

namespace vistrel {

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
  bool IsLoaded() const { return handle_ != nullptr; }

  template <ClFunction F>
  typename ClSignature<F>::Type Get() const {
    return reinterpret_cast<typename ClSignature<F>::Type>(symbols_[size_t(F)]);
  }

 private:
  void* handle_ = nullptr;
  std::array<void*, size_t(ClFunction::Count)> symbols_{};
};

}  // namespace vistrel
