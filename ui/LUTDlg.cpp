#include "ui/LUTDlg.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>

#include "camera/LutTransfer.h"
#include "core/ControlIds.h"
#include "ui/LutGraph.h"

namespace vistrel {
namespace {

constexpr int kWindowWidth = 620;
constexpr int kWindowHeight = 364;
constexpr int kFontPoints = 8;
constexpr int kStatusHeight = 14;

// One label of the editor: its text and where it sits in the window.
struct Caption {
  const char* text;
  int x, y, w, h;
  Qt::Alignment align;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;

// The axis labels: entry index under the graph, output level left of it.
const Caption kAxisLabels[] = {
    {"0", 152, 282, 16, 14, kCentre},   {"16", 280, 282, 24, 14, kCentre},
    {"31", 404, 282, 24, 14, kCentre},  {"4095", 118, 16, 38, 14, kRight},
    {"2048", 118, 143, 38, 14, kRight}, {"0", 118, 270, 38, 14, kRight},
};

const Caption kUsageTexts[] = {
    {"<< Add edit point >>\n  Left mouse click\n  on LUT line", 444, 210, 166, 42, kLeft},
    {"<< Delete edit point >>\n  Right mouse click\n  at edit point", 444, 254, 166, 42, kLeft},
    {"<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point.", 444, 298,
     166, 56, kLeft},
};

QLabel* AddLabel(QWidget* parent, const Caption& caption) {
  auto* label = new QLabel(caption.text, parent);
  label->setGeometry(caption.x, caption.y, caption.w, caption.h);
  label->setAlignment(caption.align);
  return label;
}

QGroupBox* AddGroup(QWidget* parent, const char* title, int x, int y, int w, int h) {
  auto* group = new QGroupBox(title, parent);
  group->setGeometry(x, y, w, h);
  group->lower();
  return group;
}

QPushButton* AddButton(QWidget* parent, int id, const char* text, int x, int y, int w, int h) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString("c%1").arg(id));
  button->setGeometry(x, y, w, h);
  button->setAutoDefault(false);
  return button;
}

LutCurve::MouseKeys KeysOf(const QMouseEvent& event) {
  if (event.modifiers() != Qt::NoModifier)
    return LutCurve::MouseKeys::Other;
  if (event.buttons() == Qt::LeftButton)
    return LutCurve::MouseKeys::LeftOnly;
  if (event.buttons() == Qt::RightButton)
    return LutCurve::MouseKeys::RightOnly;
  return LutCurve::MouseKeys::Other;
}

// The wait cursor for the length of a transfer.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CLUTDlg::CLUTDlg(int channel, CameraSession& session, OnlineStatusNotifier& notifier,
                 WindowLockList& locks, QWidget* parent)
    : QDialog(parent), channel_(channel), session_(session), notifier_(notifier) {
  setWindowFlag(Qt::Window);
  setModal(false);
  BuildLayout();
  notifier_.Register(this);
  locks.Add(this);
  setWindowTitle(kLutChannelInfo[static_cast<size_t>(channel_)].editorTitle);
  SetMode(static_cast<int32_t>(LutCurve::Mode::Edit));
}

CLUTDlg::~CLUTDlg() {
  notifier_.Unregister(this);
}

void CLUTDlg::BuildLayout() {
  QFont small = font();
  small.setPointSize(kFontPoints);
  setFont(small);
  setFixedSize(kWindowWidth, kWindowHeight + kStatusHeight);
  graph_ = new LutGraph(curve_, channel_, this);
  graph_->setObjectName(QString("c%1").arg(ctl::LutGraph));
  graph_->move(LutCurve::kGraphOriginX, LutCurve::kGraphOriginY);

  // The two groups of the left column reach to the axis labels: their titles need the room.
  AddGroup(this, "Current Mode Status", 2, 8, 126, 46);
  modeText_ = new QLabel(this);
  modeText_->setObjectName(QString("c%1").arg(ctl::LutModeText));
  modeText_->setGeometry(14, 28, 100, 18);

  AddGroup(this, "Change To Edit Mode", 2, 62, 126, 120);
  AddLabel(this, {"Edit Point\nCount To Add", 14, 80, 100, 32, kLeft});
  spinner_ = new QSpinBox(this);
  spinner_->setObjectName(QString("c%1").arg(ctl::LutPointCount));
  spinner_->setGeometry(14, 114, 60, 24);
  spinner_->setRange(LutCurve::kMinPoints, LutCurve::kMaxPoints);
  spinner_->setValue(LutCurve::kConvertDefault);
  // The count is chosen with the arrows only.
  if (auto* field = spinner_->findChild<QLineEdit*>())
    field->setReadOnly(true);
  QPushButton* convert =
      AddButton(this, ctl::LutConvertEditable, "Convert Editable", 12, 144, 102, 28);

  AddGroup(this, "Operation", 436, 8, 178, 180);
  QPushButton* read = AddButton(this, ctl::LutReadTable, "Read Table Data", 444, 28, 162, 28);
  QPushButton* write = AddButton(this, ctl::LutWriteTable, "Write Table Data", 444, 62, 162, 28);
  QPushButton* clear = AddButton(this, ctl::LutClearTable, "Clear Table Data", 444, 96, 162, 28);
  // A button of two lines.
  QPushButton* writeAll =
      AddButton(this, ctl::LutWriteAllTables, "Write This Setting To All\nOther Color Tables", 444,
                130, 162, 48);

  AddGroup(this, "Usage Descritption", 436, 192, 178, 166);
  for (const Caption& text : kUsageTexts)
    AddLabel(this, text);
  for (const Caption& label : kAxisLabels)
    AddLabel(this, label);

  status_ = new QLabel(this);
  status_->setObjectName(QString("c%1").arg(ctl::LutStatusStrip));
  status_->setGeometry(0, kWindowHeight, kWindowWidth, kStatusHeight);
  status_->setScaledContents(true);
  SetStatusPicture(status_);

  connect(read, &QPushButton::clicked, this, [this] { ReadTableFromCamera(); });
  connect(write, &QPushButton::clicked, this, [this] { WriteTableToCamera(channel_); });
  connect(writeAll, &QPushButton::clicked, this, [this] { WriteToAllColorTables(); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearTable(); });
  connect(convert, &QPushButton::clicked, this, [this] { ConvertEditable(); });
}

void CLUTDlg::Redraw() {
  update(QRect(QPoint(kRedrawLeft, kRedrawTop), QPoint(kRedrawRight, kRedrawBottom)));
  graph_->update();
}

void CLUTDlg::SetMode(int32_t mode) {
  curve_.SetMode(mode);
  modeText_->setText(QString::fromStdString(curve_.ModeText()));
  Redraw();
}

void CLUTDlg::ShowTable() {
  SetMode(static_cast<int32_t>(LutCurve::Mode::View));
}

Outcome CLUTDlg::ReadTableFromCamera() {
  const WaitCursor wait;
  const Outcome outcome = vistrel::ReadTableFromCamera(session_, channel_, curve_.Values());
  ShowTable();
  return outcome;
}

Outcome CLUTDlg::WriteTableToCamera(int channel) {
  if (!IsLutChannel(channel))
    return Outcome::BadInput;
  const WaitCursor wait;
  return vistrel::WriteTableToCamera(session_, channel, curve_.Values());
}

Outcome CLUTDlg::WriteToAllColorTables() {
  const WaitCursor wait;
  return WriteTableToAllChannels(session_, curve_.Values());
}

void CLUTDlg::ClearTable() {
  curve_.ClearTable();
  SetMode(curve_.ModeValue());
}

void CLUTDlg::ConvertEditable() {
  curve_.ConvertEditable(spinner_->value());
  SetMode(curve_.ModeValue());
}

void CLUTDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (curve_.MouseMove(at.x(), at.y(), KeysOf(*event)))
    Redraw();
  QDialog::mouseMoveEvent(event);
}

void CLUTDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

}  // namespace vistrel
