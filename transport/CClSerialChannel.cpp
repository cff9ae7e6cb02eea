#include "transport/CClSerialChannel.h"

#include <cstdlib>

#include "transport/CClSerial2000.h"

namespace vistrel {

std::string CClSerialChannel::PortName(uint32_t index) const {
  return index < portNames_.size() ? portNames_[index] : std::string();
}

void CClSerialChannel::EnsureNames() {
  if (!refreshed_)
    RefreshNames();
}

bool CClSerialChannel::LoadClLibrary(const std::string& file, std::span<const ClFunction> functions,
                                     const std::string& generation) {
  if (library_.Load(file, functions))
    return true;
  libraryProblem_ = "the " + generation + " library could not be loaded (" + library_.Error() + ")";
  return false;
}

// The Camera Link 2000 channel's parts that are the same on both platforms.

std::string CClSerial2000::LibraryFolder() {
  const char* folder = std::getenv("CLSERIALPATH");
  return folder ? std::string(folder) : std::string();
}

bool CClSerial2000::SetBaudRate(uint32_t rate) {
  if (rate == kOnlyBaudRate)
    return true;
  Refuse(kBaudRefused);
  return false;
}

std::string CClSerial2000::NoLibraryAt(uint32_t index, size_t found, const std::string& wanted) {
  const std::string folder = LibraryFolder();
  const std::string where =
      "CLSERIALPATH" + (folder.empty() ? std::string(", which is not set") : " (" + folder + ")");
  if (found == 0)
    return "no Camera Link 2000 library: no file " + wanted + " in " + where;
  return "no Camera Link 2000 library at index " + std::to_string(index) + ": " + where +
         " holds " + std::to_string(found);
}

void CClSerialChannel::SetNames(std::vector<std::string> names) {
  portNames_ = std::move(names);
  refreshed_ = true;
}

bool CClSerialChannel::InitSerial(uint32_t index) {
  ClSerialRef reference = nullptr;
  if (library_.Get<ClFunction::SerialInit>()(index, &reference) != 0) {
    library_.Unload();
    return false;
  }
  reference_ = reference;
  hasReference_ = true;
  DiscardInput();
  return true;
}

void CClSerialChannel::DiscardInput() {
  // A byte a call, as some libraries keep a shorter read's bytes to themselves. Bounded: a
  // port that keeps sending is left to the exchanges, which set such lines aside.
  constexpr int kMostBytes = 4096;
  char byte = 0;
  for (int i = 0; i < kMostBytes && Read(&byte, 1, 0) > 0; ++i) {
  }
}

bool CClSerialChannel::SetCheckedBaudRate(uint32_t rate, const std::string& refusal) {
  if (!hasReference_)
    return false;
  const uint32_t bit = ClBaudRateBit(rate);
  uint32_t supported = 0;
  if (bit != 0 && library_.Get<ClFunction::GetSupportedBaudRates>()(reference_, &supported) == 0 &&
      (supported & bit) != 0) {
    library_.Get<ClFunction::SetBaudRate>()(reference_, bit);
    return true;
  }
  Refuse(refusal);
  return false;
}

void CClSerialChannel::Refuse(const std::string& text) {
  messages_.ShowMessage(text, "", MessageIcon::Exclamation);
}

bool CClSerialChannel::Write(const char* bytes, uint32_t length, uint32_t limitMs) {
  if (!hasReference_)
    return false;
  uint32_t count = length;
  // The interface takes a non-const buffer but only reads it.
  return library_.Get<ClFunction::SerialWrite>()(reference_, const_cast<char*>(bytes), &count,
                                                 limitMs) == 0;
}

int CClSerialChannel::Read(char* buffer, uint32_t length, uint32_t limitMs) {
  if (!hasReference_)
    return 0;
  uint32_t count = length;
  if (library_.Get<ClFunction::SerialRead>()(reference_, buffer, &count, limitMs) != 0)
    return 0;
  return int(count < length ? count : length);
}

void CClSerialChannel::Close() {
  if (hasReference_)
    library_.Get<ClFunction::SerialClose>()(reference_);
  reference_ = nullptr;
  hasReference_ = false;
  library_.Unload();
}

bool CClSerialLoadedChannel::Open(uint32_t index) {
  Close();
  libraryProblem_.clear();
  EnsureNames();
  if (!LoadClLibrary(libraryFile_, functions_, generation_) || !PrepareOpen(index))
    return false;
  return InitSerial(index);
}

}  // namespace vistrel
