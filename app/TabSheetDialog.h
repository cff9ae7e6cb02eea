#pragma once

#include <QtWidgets/QWidget>
#include <functional>

class QScrollArea;

namespace vistrel {

// One tab page of the main dialog, built from its template. The page's controls sit on a
// scrolling form so that a small window still reaches every control. A choice list takes the
// wheel only while it has the focus; otherwise the wheel scrolls the page, so that scrolling
// never changes a setting.
class CTabSheetDialog final : public QWidget {
  Q_OBJECT

 public:
  CTabSheetDialog(int templateId, QWidget* owner, QString title, bool factoryOnly);

  int TemplateId() const { return templateId_; }
  const QString& Title() const { return title_; }
  bool FactoryOnly() const { return factoryOnly_; }
  QWidget* Form() const { return form_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int templateId_;
  QString title_;
  bool factoryOnly_;
  QWidget* form_;
  QScrollArea* scroll_;
};

// The pages in their order: template, title, factory-only.
struct PageInfo {
  int templateId;
  const char* title;
  bool factoryOnly;
  bool shownAsTab;
};
inline constexpr PageInfo kPages[] = {
    {112, "User A", false, true}, {113, "User B", false, true},   {114, "User C", false, true},
    {115, "User D", false, true}, {123, "User E", false, false},  {125, "User F", false, true},
    {126, "User G", false, true}, {107, "Factory A", true, true},
};
inline constexpr int kPageCount = 8;

}  // namespace vistrel
