#pragma once

#include <QtCore/QString>
#include <set>

#include "app/AppServices.h"
#include "ui/OnlineStatusNotifier.h"

class QLabel;
class QWidget;

namespace Ui {
class VistrelDlg;
}

namespace vistrel {

class ControlRegistry;

// The status bar of the main window and what it says of the camera's values: state (Online,
// Offline, Reading, Writing), channel, model, whether the pages hold the camera's values, a
// note (why the last change was not sent, and the like), the link indicator and, while
// offline, the mark over the pages.
class MainStatusBar final : public COnlineStatusUpdater {
 public:
  static constexpr const char* kReadCancelledTitle = "Reading Cancelled";

  MainStatusBar(AppServices& services, ControlRegistry& registry, Ui::VistrelDlg& ui);

  // Shows what the program is doing with the camera (Reading, Writing) until it is done.
  class Activity {
   public:
    Activity(MainStatusBar& bar, const char* what);
    ~Activity();
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

   private:
    MainStatusBar& bar_;
    QString before_;
  };

  // After a read: notes its time, tints the fields it missed and names them in a message.
  void ReportRead();
  // Tints the fields that do not show the camera's value: those the last read missed, and
  // those a read in the current control mode fills that no read since the start has filled.
  void MarkUnreadFields();
  void ShowNote(const QString& note);
  QString Note() const;
  // State, channel and model.
  QString Text() const;
  // Whether the pages hold the camera's values: "values not read yet", how many are not
  // read, or empty once a full read succeeded; with the legend of the tint.
  QString Values() const;
  // The mark over the pages while offline: they show the values last read, and when.
  QString PagesMark() const;
  QWidget* LinkIndicator() const;
  void OnlineStatusChanged(int online) override;

 private:
  void Update();
  // Whether the table holds values read from the camera since the start.
  bool ValuesRead() const { return services_.session.ValuesReadSinceStart(); }

  AppServices& services_;
  ControlRegistry& registry_;
  Ui::VistrelDlg& ui_;
  QLabel* pagesMark_;
  QString readAt_;          // the time of the last read that got values
  QString activity_;        // Reading or Writing while a pass or a change runs
  std::set<int> everRead_;  // the rows a read since the start has filled
  size_t unreadCount_ = 0;  // the fields tinted
};

}  // namespace vistrel
