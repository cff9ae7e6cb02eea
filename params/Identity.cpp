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

Outcome ReadXml(HandlerContext& context) {
  const Reading<int32_t> read = ReadXmlVersion(context.session);
  if (!read.value)
    return read.outcome;
  const auto digits = XmlVersionDigits(*read.value);
  if (!digits)
    return read.outcome;
  for (size_t i = 0; i < ctl::XmlDigitFields.size(); ++i)
    context.panel.SetEditText(ctl::XmlDigitFields[i], (*digits)[i]);
  return read.outcome;
}

Outcome WriteXml(HandlerContext& context) {
  std::array<std::string, 3> digits;
  for (size_t i = 0; i < ctl::XmlDigitFields.size(); ++i)
    digits[i] = context.panel.EditText(ctl::XmlDigitFields[i]);
  return WriteXmlVersion(context.session, digits);
}

Outcome SetModel(HandlerContext& context) {
  const int position = context.panel.SelectedIndex(ctl::ModelChoice);
  const std::vector<std::string> texts = context.panel.ChoiceTexts(ctl::ModelChoice);
  const std::string text =
      position >= 0 && position < static_cast<int>(texts.size()) ? texts[position] : "";
  return WriteModelId(context.session, position, text);
}

}  // namespace

bool OnButton(HandlerContext& context, int ctrlId) {
  Outcome outcome = Outcome::BadInput;
  switch (ctrlId) {
    case ctl::XmlVersionRead:
      outcome = ReadXml(context);
      break;
    case ctl::XmlVersionWrite:
      outcome = WriteXml(context);
      break;
    case ctl::ModelSet:
      outcome = SetModel(context);
      break;
    default:
      return false;
  }
  // The exchange tells whether the camera is still there; without one nothing changed.
  if (outcome != Outcome::BadInput)
    RefreshXmlWrite(context.panel, Answered(outcome));
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
