#include "camera/GammaFile.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/AtomicFile.h"
#include "core/RegularFile.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr size_t kFields = 3;
constexpr int64_t kLargestValue = 2147483647;

void ShowError(IMessagePresenter& messages, const std::string& text) {
  messages.ShowMessage(text, "", MessageIcon::Stop);
}

std::string CannotOpen(const std::string& path) {
  return path + "\nCouldn't open this file";
}

std::string DataLine(const LutTableSet& tables, int j) {
  const size_t e = static_cast<size_t>(j);
  return std::to_string(tables[0][e]) + ',' + std::to_string(tables[1][e]) + ',' +
         std::to_string(tables[2][e]);
}

// The file's lines: a line feed ends a line; a last line without one still counts.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A line with nothing on it (a carriage return alone counts as nothing).
bool IsEmptyLine(std::string_view line) {
  return line.empty() || line == "\r";
}

// The digits of one field as a number; no digits is 0, too many is the largest value.
int64_t FieldValue(const std::string& digits) {
  int64_t value = 0;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
    if (value > kLargestValue)
      return kLargestValue;
  }
  return value;
}

enum class LineError { None, TooManyFields, TooFewFields, ControlCharacter };

// A data line's fields: the digits that make the value, and the field as written.
struct DataFields {
  std::array<std::string, kFields> digits;
  std::array<std::string, kFields> written;
};

// Splits a data line into its three fields: digits are kept, commas separate, everything
// else is passed over.
LineError ParseDataLine(std::string_view line, DataFields& fields) {
  if (HasControlCharacter(line))
    return LineError::ControlCharacter;
  size_t field = 0;
  for (const char c : line) {
    if (c == ',') {
      if (++field >= kFields)
        return LineError::TooManyFields;
      continue;
    }
    if (c >= '0' && c <= '9')
      fields.digits[field] += c;
    if (c != ' ' && c != '\t' && c != '\r')
      fields.written[field] += c;
  }
  return field == kFields - 1 ? LineError::None : LineError::TooFewFields;
}

// The refusal of a line, with where it is and what it says.
std::string LineMessage(const char* what, size_t fileLine, std::string_view line) {
  if (line.ends_with('\r'))
    line.remove_suffix(1);
  return std::string(what) + "\nFile line " + std::to_string(fileLine) + ": " +
         EscapeControls(line);
}

// Whether only empty lines follow line `index`.
bool OnlyEmptyLinesFrom(const std::vector<std::string_view>& lines, size_t index) {
  for (size_t i = index; i < lines.size(); ++i) {
    if (!IsEmptyLine(lines[i]))
      return false;
  }
  return true;
}

}  // namespace

std::string FormatGammaText(const LutTableSet& tables) {
  std::string text = std::string(kGammaHeader) + kLineEnd;
  for (int j = 0; j < kLutEntries; ++j)
    text += DataLine(tables, j) + kLineEnd;
  return text;
}

std::string FormatGammaDataLines(const LutTableSet& tables) {
  std::string text;
  for (int j = 0; j < kLutEntries; ++j)
    text += DataLine(tables, j) + '\n';
  return text;
}

Outcome SaveGammaCsv(const std::string& path, const LutTableSet& tables,
                     IMessagePresenter& messages) {
  std::string why;
  std::string notice;
  if (WriteFileAtomically(path, FormatGammaText(tables), &why, &notice)) {
    if (!notice.empty())
      messages.ShowMessage(notice, "", MessageIcon::Exclamation);
    return Outcome::Done;
  }
  ShowError(messages, CannotOpen(path) + " (" + why + ")");
  return Outcome::NotWritten;
}

GammaLoad LoadGammaCsv(const std::string& path, LutTableSet& tables, IMessagePresenter& messages) {
  std::string text;
  if (!ReadRegularFile(path, kMaxGammaFileBytes, text).Ok()) {
    ShowError(messages, CannotOpen(path));
    return {};
  }
  return LoadGammaText(text, tables, messages);
}

GammaLoad LoadGammaText(std::string_view text, LutTableSet& tables, IMessagePresenter& messages) {
  const std::vector<std::string_view> lines = SplitLines(text);
  LutTableSet loaded = tables;
  bool valueShown = false;
  int index = 0;
  // The first line is the header and is not looked at.
  for (size_t n = 1; n < lines.size(); ++n) {
    if (IsEmptyLine(lines[n]) && OnlyEmptyLinesFrom(lines, n))
      break;
    DataFields fields;
    const size_t fileLine = n + 1;
    switch (ParseDataLine(lines[n], fields)) {
      case LineError::TooManyFields:
        ShowError(messages, LineMessage("Invaild data count format", fileLine, lines[n]));
        return {};
      case LineError::TooFewFields:
      case LineError::ControlCharacter:
        ShowError(messages, LineMessage("Invaild line format", fileLine, lines[n]));
        return {};
      case LineError::None:
        break;
    }
    if (index >= kLutEntries) {
      ShowError(messages, LineMessage("Too many data", fileLine, lines[n]));
      return {};
    }
    for (size_t c = 0; c < kFields; ++c) {
      const int64_t value = FieldValue(fields.digits[c]);
      if (value > kLutMaxLevel && !valueShown) {
        // The file's line and the level as written, so that the operator finds it.
        ShowError(messages, "Invalid data value: Line(" + std::to_string(fileLine) + ") : Value(" +
                                EscapeControls(fields.written[c]) + ")");
        valueShown = true;
      }
      loaded[c][static_cast<size_t>(index)] =
          value > kLutMaxLevel ? kLutMaxLevel : static_cast<uint32_t>(value);
    }
    ++index;
  }
  tables = loaded;
  return {true, index};
}

}  // namespace vistrel
