#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;

namespace qv {

class RecentList;

// Keeps the "Recent" sub-menu in line with the recent list: one item per filled slot, in slot
// order, and the sub-menu hidden while there is none. A click hands the item's caption on.
class RecentMenu : public QObject {
    Q_OBJECT
public:
    RecentMenu(QMenu* menu, RecentList& list, std::function<void(const QString& caption)> onClick,
               QObject* parent = nullptr);

    void CreateRecentMenu();

private:
    QMenu* m_menu;
    RecentList& m_list;
    std::function<void(const QString&)> m_onClick;
};

} // namespace qv
