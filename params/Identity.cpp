#include "params/Identity.h"

#include <algorithm>
#include <string>

#include "camera/CameraData.h"
#include "camera/CameraId.h"

namespace vistrel::Identity {
namespace {

bool IsDigitField(const std::string& text) {
  return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

void ReadXml(HandlerContext& context) {
  const std::optional<int32_t> value = ReadXmlVersion(context.session);
  if (!value)
    return;
  const auto digits = XmlVersionDigits(*value);
  if (!digits)
    return;
  for (size_t i = 0; i < ctl::XmlDigitFields.size(); ++i)
    context.panel.SetEditText(ctl::XmlDigitFields[i], (*digits)[i]);
}

void WriteXml(HandlerContext& context) {
  std::array<std::string, 3> digits;
  for (size_t i = 0; i < ctl::XmlDigitFields.size(); ++i)
    digits[i] = context.panel.EditText(ctl::XmlDigitFields[i]);
  WriteXmlVersion(context.session, digits);
}

void SetModel(HandlerContext& context) {
  const int position = context.panel.SelectedIndex(ctl::ModelChoice);
  const std::vector<std::string> texts = context.panel.ChoiceTexts(ctl::ModelChoice);
  const std::string text =
      position >= 0 && position < static_cast<int>(texts.size()) ? texts[position] : "";
  WriteModelId(context.session, position, text);
}

}  // namespace

bool OnButton(HandlerContext& context, int ctrlId) {
  switch (ctrlId) {
    case ctl::XmlVersionRead:
      ReadXml(context);
      break;
    case ctl::XmlVersionWrite:
      WriteXml(context);
      break;
    case ctl::ModelSet:
      SetModel(context);
      break;
    default:
      return false;
  }
  // The exchange tells whether the camera is still there.
  RefreshXmlWrite(context.panel, context.engine.LastExchangeAnswered());
  return true;
}

bool OnSelect(HandlerContext& context, int ctrlId) {
  (void)context;
  return ctrlId == ctl::ModelChoice;
}

bool XmlWriteAllowed(const IControlPanel& panel, bool online) {
  return online && std::ranges::all_of(ctl::XmlDigitFields, [&panel](int id) {
           return IsDigitField(panel.EditText(id));
         });
}

void RefreshXmlWrite(IControlPanel& panel, bool online) {
  panel.SetControlEnabled(ctl::XmlVersionWrite, XmlWriteAllowed(panel, online));
}

}  // namespace vistrel::Identity
