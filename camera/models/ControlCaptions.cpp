#include "camera/models/ControlCaptions.h"

#include <charconv>

namespace vistrel {
namespace {

// Captions.tsv as it is, built in by camera/CMakeLists.txt.
constexpr std::string_view kCaptionsText =
#include "Captions.inc"
    ;

std::string_view NextField(std::string_view& line) {
  const size_t tab = line.find('\t');
  const std::string_view field = line.substr(0, tab);
  line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
  return field;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
    text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  return text;
}

}  // namespace

std::map<int, Caption> ParseCaptions(std::string_view text) {
  std::map<int, Caption> captions;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == '#')
      continue;
    const std::string_view idText = Trimmed(NextField(line));
    int id = 0;
    const auto [rest, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    const std::string_view caption = Trimmed(NextField(line));
    if (error != std::errc() || rest != idText.data() + idText.size() || id <= 0 || caption.empty())
      continue;
    captions[id] = Caption{std::string(caption), std::string(Trimmed(NextField(line)))};
  }
  return captions;
}

const std::map<int, Caption>& ControlCaptions() {
  static const std::map<int, Caption> captions = ParseCaptions(kCaptionsText);
  return captions;
}

std::string CaptionOf(int ctrlId) {
  const auto it = ControlCaptions().find(ctrlId);
  return it == ControlCaptions().end() ? std::string() : it->second.text;
}

}  // namespace vistrel
