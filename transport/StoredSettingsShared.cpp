// What the stored settings do the same way on every platform: the helpers of the value texts,
// the shutdown mark and the setters, which all go through the platform's Update.
#include <cctype>
#include <filesystem>
#include <system_error>

#include "transport/StoredSettings.h"
#include "transport/StoredValueText.h"

namespace vistrel {

namespace stored {

std::string CurrentFolder() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string() : path.string();
}

std::optional<uint32_t> LeadingNumber(const std::string& text) {
  uint64_t value = 0;
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
    ++i;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + uint64_t(text[i] - '0');
    if (value > UINT32_MAX)
      return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace stored

std::string KeptAsideNotice(const std::string& copy) {
  return "Some lines of the stored settings could not be read and were left out; the other "
         "values are kept. The file as it was is kept as " +
         copy +
         ". Once you have looked at it, delete that copy (or move it out of the settings "
         "folder) and this notice stops.";
}

std::optional<std::string> StoredSettings::Notice() const {
  if (!fileProblem_.empty())
    return fileProblem_;
  if (keptAside_)
    return KeptAsideNotice(*keptAside_);
  return std::nullopt;
}

bool StoredSettings::WriteFailed(std::string reason) {
  lastWriteError_ = std::move(reason);
  return false;
}

StoredSettings::~StoredSettings() {
  if (tracksShutdown_)
    MarkNormalShutdown();
}

void StoredSettings::MarkNormalShutdown() {
  SetStoredNumber(kStoredShutdownStatus, 1);
}

bool StoredSettings::SetStoredNumber(int index, uint32_t value) {
  return SetStoredNumbers({{index, value}});
}

bool StoredSettings::SetStoredNumbers(std::initializer_list<std::pair<int, uint32_t>> values) {
  return Update(values, -1, nullptr);
}

bool StoredSettings::SetStoredText(int index, const std::string& text) {
  return Update({}, index, &text);
}

}  // namespace vistrel
