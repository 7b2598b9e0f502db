#pragma once

#include <QAbstractListModel>
#include <QList>

namespace qv {

// The rows of the event list: each row holds the position of its event in the document's event
// list, shown as that number in decimal. The rows are drawn from the document when painted.
class EventListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Role answering the event position as an int.
    static constexpr int PositionRole = Qt::UserRole + 1;

    void setPositions(QList<int> positions);
    const QList<int>& positions() const { return m_positions; }
    // The event position of a row; 0 for a row that does not exist.
    int eventAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<int> m_positions;
};

} // namespace qv
