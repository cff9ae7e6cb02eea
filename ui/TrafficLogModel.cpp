#include "ui/TrafficLogModel.h"

namespace vistrel {

TrafficLogModel::TrafficLogModel(int capacity, QObject* parent)
    : QAbstractListModel(parent), capacity_(capacity) {}

void TrafficLogModel::AddTop(const QString& line) {
  beginInsertRows({}, 0, 0);
  lines_.push_front(line);
  endInsertRows();
  if (Count() > capacity_) {
    const int last = Count() - 1;
    beginRemoveRows({}, last, last);
    lines_.pop_back();
    endRemoveRows();
  }
}

void TrafficLogModel::Clear() {
  beginResetModel();
  lines_.clear();
  endResetModel();
}

int TrafficLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant TrafficLogModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count())
    return {};
  return Line(index.row());
}

}  // namespace vistrel
