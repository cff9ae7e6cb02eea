#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QString>
#include <deque>

namespace vistrel {

// A log list with the newest line on top and a fixed number of entries: each insertion at the
// top drops the bottom (oldest) entry once there are more than `capacity`.
class TrafficLogModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TrafficLogModel(int capacity, QObject* parent = nullptr);

  void AddTop(const QString& line);
  void Clear();
  int Count() const { return static_cast<int>(lines_.size()); }
  // Entry 0 is the newest.
  const QString& Line(int index) const { return lines_[static_cast<size_t>(index)]; }
  int Capacity() const { return capacity_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int capacity_;
  std::deque<QString> lines_;
};

}  // namespace vistrel
