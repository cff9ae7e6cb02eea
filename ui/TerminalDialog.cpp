#include "ui/TerminalDialog.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <thread>

#include "core/TimeLimits.h"
#include "ui/TrafficLogModel.h"
#include "ui/WindowLockList.h"
#include "ui_TerminalDialog.h"

namespace vistrel {

namespace {

// The layout of the window at the normal font: margins, the button column and its rows.
constexpr int kMargin = 10;
constexpr int kButtonWidth = 60;
constexpr int kButtonTextMargins = 16;
constexpr int kRowHeight = 20;
constexpr int kRowTextMargin = 4;
constexpr int kRowGap = 4;
constexpr int kListGap = 12;
constexpr int kStripInset = 4;

void ProcessPending() {
  // Window messages are handled between the lines of a file, as the operator expects.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

}  // namespace

CTerminalDialog::CTerminalDialog(IMessagePresenter& messages, OnlineStatusNotifier& notifier,
                                 WindowLockList& locks, LogFolderAccess folder, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TerminalDialog>()),
      messages_(messages),
      notifier_(notifier),
      folder_(std::move(folder)),
      log_(new TrafficLogModel(kMaxEntries, this)) {
  ui_->setupUi(this);
  ui_->c1004->setModel(log_);
  SetStatusPicture(ui_->c1162);
  connect(ui_->c1003, &QPushButton::clicked, this, [this] { OnSend(); });
  connect(ui_->c1006, &QPushButton::clicked, this, [this] { OnClear(); });
  connect(ui_->c1008, &QPushButton::clicked, this, [this] { OnSave(); });
  connect(ui_->c1007, &QPushButton::clicked, this, [this] { hide(); });
  connect(ui_->c1010, &QPushButton::clicked, this, [this] { OnRead(); });
  ui_->c1001->installEventFilter(this);
  notifier_.Register(this);
  locks.Add(this);
  PlaceControls();
}

CTerminalDialog::~CTerminalDialog() {
  notifier_.Unregister(this);
}

std::string CTerminalDialog::Stamp(std::chrono::system_clock::time_point when) {
  const auto sinceEpoch = when.time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d:%03d  ", utc.tm_min, utc.tm_sec,
                static_cast<int>(ms % 1000));
  return stamp;
}

void CTerminalDialog::AddLine(const std::string& text) {
  log_->AddTop(QString::fromStdString(Stamp(clock_()) + text));
}

void CTerminalDialog::AddFormattedLine(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  AddLine(buffer);
}

QString CTerminalDialog::CommandLine() const {
  return ui_->c1001->text();
}
void CTerminalDialog::SetCommandLine(const QString& text) {
  ui_->c1001->setText(text);
}

void CTerminalDialog::OnSend() {
  const std::string text = ui_->c1001->text().toStdString();
  if (!text.empty() && (history_.empty() || history_.back() != text))
    history_.push_back(text);
  recalled_ = history_.size();
  Send(text);
  ui_->c1001->clear();
  field_.clear();
}

void CTerminalDialog::Send(const std::string& text) {
  field_ = text;
  if (writer_)
    writer_(field_ + "\r\n");
}

void CTerminalDialog::Recall(int step) {
  if (step < 0 && recalled_ > 0)
    --recalled_;
  else if (step > 0 && recalled_ < history_.size())
    ++recalled_;
  ui_->c1001->setText(recalled_ < history_.size() ? QString::fromStdString(history_[recalled_])
                                                  : QString());
}

bool CTerminalDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui_->c1001 || event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Up && key != Qt::Key_Down)
    return false;
  Recall(key == Qt::Key_Up ? -1 : 1);
  return true;
}

void CTerminalDialog::OnRead() {
  const std::optional<std::string> path = messages_.ChooseFile(
      false, folder_.get ? folder_.get() : std::string(), "", "All Files(*.*)|*.*|");
  if (path && !path->empty())
    SendFile(*path);
}

void CTerminalDialog::SendFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rt");
  if (file == nullptr)
    return;
  char line[1024];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    std::string text = line;
    if (!text.empty() && text.back() == '\n')
      text.pop_back();
    // A CR LF line end is one line end, as text-mode reading takes it on every system.
    if (!text.empty() && text.back() == '\r')
      text.pop_back();
    ui_->c1001->setText(QString::fromStdString(text));
    Send(text);
    ProcessPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(limits::kTerminalLinePauseMs));
    ProcessPending();
  }
  std::fclose(file);
  ui_->c1001->clear();
}

void CTerminalDialog::OnSave() {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(log_->Count()));
  for (int i = 0; i < log_->Count(); ++i)  // newest first
    lines.push_back(log_->Line(i).toStdString());
  if (SaveLinesWithDialog(messages_, folder_, "csv", "CSV file (*.csv) | *.csv", lines))
    AddLine("Writing file has been done !");
}

void CTerminalDialog::OnClear() {
  log_->Clear();
}

void CTerminalDialog::reject() {
  field_ = ui_->c1001->text().toStdString();
  hide();
}

void CTerminalDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceControls();
}

void CTerminalDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceControls();
}

void CTerminalDialog::PlaceControls() {
  const int w = width();
  const int h = height();
  // The button column is as wide and its rows as high as the texts need in the current font.
  QPushButton* const buttons[] = {ui_->c1007, ui_->c1003, ui_->c1006, ui_->c1008, ui_->c1010};
  int buttonWidth = kButtonWidth;
  for (const QPushButton* button : buttons)
    buttonWidth = std::max(
        buttonWidth, button->fontMetrics().horizontalAdvance(button->text()) + kButtonTextMargins);
  const int rowHeight = std::max(kRowHeight, fontMetrics().height() + kRowTextMargin);
  const int column = w - kMargin - buttonWidth;
  for (int i = 0; i < static_cast<int>(std::size(buttons)); ++i)
    buttons[i]->setGeometry(column, kMargin + i * (rowHeight + kRowGap), buttonWidth, rowHeight);
  ui_->c1001->setGeometry(kMargin, kMargin, column - 2 * kMargin, rowHeight);
  const int listTop = kMargin + rowHeight + kListGap;
  ui_->c1004->setGeometry(kMargin, listTop, column - 2 * kMargin, h - 2 * kMargin - listTop);
  ui_->c1162->setGeometry(kStripInset, h - 12, w - 2 * kStripInset, 8);
}

}  // namespace vistrel
