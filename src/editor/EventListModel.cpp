#include "editor/EventListModel.h"

namespace qv {

void EventListModel::setPositions(QList<int> positions) {
    beginResetModel();
    m_positions = std::move(positions);
    endResetModel();
}

int EventListModel::eventAt(int row) const {
    return row >= 0 && row < m_positions.size() ? m_positions[row] : 0;
}

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_positions.size());
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_positions.size())
        return {};
    if (role == Qt::DisplayRole)
        return QString::number(m_positions[index.row()]);
    if (role == PositionRole)
        return m_positions[index.row()];
    return {};
}

} // namespace qv
