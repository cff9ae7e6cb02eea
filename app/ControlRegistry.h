#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "camera/models/NumberRanges.h"
#include "params/ControlPanel.h"

class QComboBox;
class QRadioButton;
class QWidget;

namespace vistrel {

class CUpDown;
class ParameterTable;

// How a control presents values, recognised from its widget class.
enum class ControlClass {
  None = 0,
  Edit = 1,
  UpDown = 2,
  Combo = 3,
  OtherButton = 4,
  PushButton = 5,
  CheckBox = 6,
  Radio = 7
};

// What a control reports to the main dialog.
enum class Notification { EditCommitted, Selected, Spin, ButtonClicked, Checked, RadioClicked };

// Every control with an id on the pages (and on the main dialog), found by its object name
// "c<id>". It shows and reads values by control class and turns the controls' signals into
// notifications for the main dialog.
class ControlRegistry final : public QObject, public IControlPanel {
  Q_OBJECT

 public:
  using Handler = std::function<void(Notification, int ctrlId, int32_t position, int32_t step)>;
  using RangeSource = std::function<RangeInputs()>;
  // Receives a line for the command log (a camera value a choice does not list).
  using NoteSink = std::function<void(const std::string& line)>;

  // Where a choice entry keeps its item value.
  static constexpr int kItemValueRole = Qt::UserRole;
  // The background of a control whose value the last read could not get.
  static constexpr const char* kUnreadStyle = "background-color: #ffd8a8;";
  // The first tooltip line of such a control.
  static constexpr const char* kNotReadLine = "not read from the camera";

  ControlRegistry(ParameterTable& table, QObject* parent = nullptr);

  // Adds the controls under `root`; roots are searched in the order they were added.
  void AddRoot(QWidget* root);
  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  void SetRangeSource(RangeSource source) { rangeSource_ = std::move(source); }
  void SetNoteSink(NoteSink sink) { noteSink_ = std::move(sink); }
  // Stops every notification: the controls' signals no longer reach the handler (the main
  // dialog is going, and its widgets report focus changes while they are destroyed).
  void Detach();

  QWidget* FindControl(int ctrlId) const;
  static ControlClass ClassOf(const QWidget* control);
  static int IdOf(const QWidget* control);  // 0 when the name is no control id

  // IParameterView
  void ShowParameter(int ctrlId, int32_t value) override;
  std::optional<int32_t> ReadControlValue(int ctrlId) override;
  void ApplyRanges() override;

  // IControlPanel
  int SpinOfEdit(int editId) const override;
  int EditOfSpin(int spinId) const override;
  std::string EditText(int editId) const override;
  void SetEditText(int editId, const std::string& text) override;
  int32_t SetSpinPosition(int spinId, int32_t position) override;
  int32_t SpinPosition(int spinId) const override;
  bool SpinRange(int spinId, int32_t& minimum, int32_t& maximum) const override;
  void SetSpinRange(int spinId, int32_t minimum, int32_t maximum) override;
  bool RadioGroupOf(int buttonId, int& firstId, int& position) const override;
  std::vector<std::string> ChoiceTexts(int ctrlId) const override;
  void SetItemValues(int ctrlId, const std::vector<int32_t>& values) override;
  void RefillChoice(int ctrlId, const std::vector<ChoiceItem>& items) override;
  int SelectedIndex(int ctrlId) const override;
  void SelectIndex(int ctrlId, int index) override;
  bool RemoveChoiceItem(int ctrlId, const std::string& text) override;
  void SetControlEnabled(int ctrlId, bool enabled) override;
  bool ControlEnabled(int ctrlId) const override;
  void SetControlVisible(int ctrlId, bool visible) override;
  bool ControlVisible(int ctrlId) const override;
  void ShowText(int ctrlId, const std::string& text) override;
  std::string ControlText(int ctrlId) const override;
  // The mark is the control's "unwritten" property, drawn by a style sheet.
  void MarkUnwritten(int ctrlId, bool unwritten) override;
  bool MarkedUnwritten(int ctrlId) const;
  bool HasControl(int ctrlId) const override { return FindControl(ctrlId) != nullptr; }

  // Disables a control (with its up-down control) for as long as the program runs, with a
  // tooltip saying why; the enabling rules cannot enable it again.
  void DisableForGood(int ctrlId, const std::string& tooltip);
  bool DisabledForGood(int ctrlId) const { return disabledForGood_.contains(ctrlId); }
  // Hides these controls (with their captions, up-down controls, the other buttons of a radio
  // group and a group box left without a shown control) and shows again the ones an earlier
  // call hid. Nothing else shows them while they are withheld.
  void Withhold(const std::vector<int>& ctrlIds);
  bool Withheld(int ctrlId) const { return withheld_.contains(ctrlId); }
  // Marks the controls whose values the last read could not get (they do not show the
  // camera's value) and clears the marks of all others.
  void MarkUnread(const std::vector<int>& ctrlIds);
  bool MarkedUnread(int ctrlId) const { return unread_.contains(ctrlId); }
  // Writes the control's tooltip from its parts: "not read from the camera" when it is
  // marked so, a camera value its choice does not list, the text the page gives it (its
  // command) and the range of a number field.
  void ComposeTooltip(int ctrlId);

  // ShowParameter that says whether the control exists and has a supported class.
  bool Show(int ctrlId, int32_t value);
  int ControlCount() const { return static_cast<int>(controls_.size()); }

 private:
  // The property that keeps the tooltip the page gave a control.
  static constexpr const char* kBaseTooltip = "baseTooltip";

  void Connect(QWidget* control, int id);
  // The position an arrow press starts from: the number its field shows, within the range.
  int32_t PositionFromBuddy(int spinId, int32_t position);
  void Notify(Notification what, int id, int32_t position = 0, int32_t step = 0);
  // The caption beside a control ("l<id>"), if the page has one.
  QWidget* CaptionOf(int ctrlId) const;
  // The widgets that go with a control when it is shown or hidden.
  std::vector<QWidget*> WidgetsOf(int ctrlId) const;
  // Hides the group boxes whose controls are all hidden, and shows the others again.
  void HideEmptyGroups();
  // Selects the entry of `value`: by item value when the entries carry them (none when no
  // entry has it), else by index.
  void ShowInChoice(int ctrlId, QComboBox* combo, int32_t value);
  // The radio buttons of the group `button` belongs to: its siblings, in order.
  static std::vector<QRadioButton*> GroupOf(const QRadioButton* button);

  ParameterTable& table_;
  std::unordered_map<int, QWidget*> controls_;
  std::unordered_map<int, QWidget*> captions_;
  std::unordered_map<int, int> spinOfEdit_;
  std::unordered_map<int, int> editOfSpin_;
  std::unordered_set<const QWidget*> connectedRadios_;  // the group members without an id
  std::vector<QWidget*> roots_;
  std::unordered_set<int> disabledForGood_;
  std::unordered_set<int> withheld_;
  std::unordered_set<int> unread_;
  std::unordered_set<QWidget*> hiddenGroups_;
  std::unordered_map<int, QString> rangeTexts_;
  std::unordered_map<int, int32_t> unknownCodes_;
  Handler handler_;
  RangeSource rangeSource_;
  NoteSink noteSink_;
};

}  // namespace vistrel
