#include "app/PageCaptions.h"

#include <algorithm>
#include <initializer_list>

#include <QtCore/QFile>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <charconv>

#include "app/FieldNames.h"
#include "core/CommandTable.h"
#include "core/ControlIds.h"
#include "core/ParameterTable.h"
#include "res/Resources.h"

namespace vistrel {
namespace {

constexpr const char* kCaptionResource = ":/vistrel/captions";

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

const std::map<int, Caption>& PageCaptions() {
  static const std::map<int, Caption> captions = [] {
    InitResources();
    QFile file(kCaptionResource);
    if (!file.open(QIODevice::ReadOnly))
      return std::map<int, Caption>();
    return ParseCaptions(file.readAll().toStdString());
  }();
  return captions;
}

std::string NoCommandTooltip(int commandId) {
  return "The camera has no command for this (id " + std::to_string(commandId) + ")";
}

std::string TooltipFor(int ctrlId, const std::map<int, Caption>& captions,
                       const ParameterTable& table) {
  if (const auto it = captions.find(ctrlId); it != captions.end() && !it->second.tooltip.empty())
    return it->second.tooltip;
  for (int i = 0; i < table.RowCount(); ++i) {
    if (table.Row(i).ctrlId != ctrlId)
      continue;
    const int32_t commandId = table.Row(i).commandId;
    const std::string_view name = CommandTable::Name(commandId);
    return name.empty() ? "id " + std::to_string(commandId) : std::string(name);
  }
  return {};
}

void ApplyCaptions(QWidget* root, const std::map<int, Caption>& captions,
                   const ParameterTable& table) {
  for (const auto& [ctrlId, caption] : captions) {
    const QString id = QString::number(ctrlId);
    QWidget* control = root->findChild<QWidget*>("c" + id);
    QLabel* label =
        control != nullptr ? CaptionLabelOf(root, control) : root->findChild<QLabel*>("l" + id);
    if (control == nullptr && label == nullptr)
      continue;
    const QString text = QString::fromStdString(caption.text);
    if (label != nullptr)
      label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
      button->setText(text);
    const QString tooltip = QString::fromStdString(TooltipFor(ctrlId, captions, table));
    for (QWidget* widget : {control, static_cast<QWidget*>(label)}) {
      if (widget != nullptr && !tooltip.isEmpty())
        widget->setToolTip(tooltip);
    }
  }
}

namespace {

struct FieldUnit {
  std::initializer_list<int> editIds;
  const char* unit;
};

// Exposure times, geometry and gains of the pages and of the sequencer entry.
const FieldUnit kUnits[] = {
    {{ctl::PE, ctl::PER, ctl::PEG, ctl::PEB, ctl::ASCEA, ctl::ASCEI, ctl::SQPE, ctl::SQPER,
      ctl::SQPEG, ctl::SQPEB},
     "µs"},
    {{ctl::OFC, ctl::WTC, ctl::SQW, ctl::SQOX}, "pixels"},
    {{ctl::OFL, ctl::HTL, ctl::SQH, ctl::SQOY}, "lines"},
    {{ctl::FGA, ctl::FGR, ctl::FGG, ctl::FGB, ctl::AGCGA, ctl::AGCGI, ctl::SQGA}, "× 0.01"},
};

}  // namespace

std::string RangeTooltip(const std::string& base, int editId, int32_t minimum, int32_t maximum) {
  std::string unit;
  for (const FieldUnit& entry : kUnits) {
    if (std::ranges::find(entry.editIds, editId) != entry.editIds.end())
      unit = std::string(" ") + entry.unit;
  }
  std::string text = base.empty() ? std::string() : base + "\n";
  return text + "Range " + std::to_string(minimum) + " to " + std::to_string(maximum) + unit;
}

}  // namespace vistrel
