// The stored-settings file parser, and writing back what it read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "transport/SettingsFile.h"

namespace {

using vistrel::SettingsFile;
using vistrel::fuzz::Check;

bool SameEntry(const SettingsFile::Entry* a, const SettingsFile::Entry* b) {
  return a != nullptr && b != nullptr && a->type == b->type && a->value == b->value;
}

// Every name the content gives a value: the text before '=' on each line that is no comment.
template <typename Visit>
void ForEachName(std::string_view content, Visit visit) {
  while (!content.empty()) {
    const size_t end = content.find('\n');
    const std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    const size_t equals = line.find('=');
    if (!line.empty() && line.front() != '#' && equals != std::string_view::npos)
      visit(line.substr(0, equals));
  }
}

// What was read is written and read again without losing or changing a value.
void CheckWrittenBack(std::string_view content, const SettingsFile& file) {
  const std::string written = file.Serialize();
  const std::optional<SettingsFile> again = SettingsFile::Parse(written);
  Check(again.has_value(), "a written settings file reads back");
  Check(again->Serialize() == written, "a settings file writes the same text twice");
  ForEachName(content, [&](std::string_view name) {
    Check(SameEntry(file.Find(name), again->Find(name)), "every value survives writing");
  });
}

// Any text stored under a name reads back unchanged.
void CheckText(std::string_view text) {
  SettingsFile file;
  file.SetText("Folder", text);
  const std::optional<SettingsFile> again = SettingsFile::Parse(file.Serialize());
  Check(again.has_value(), "a stored text reads back");
  const SettingsFile::Entry* entry = again->Find("Folder");
  Check(entry != nullptr && entry->value == text, "a stored text keeps every character");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  CheckText(content);
  if (const std::optional<SettingsFile> file = SettingsFile::Parse(content))
    CheckWrittenBack(content, *file);
  return 0;
}
