#include "project/ui/RecentMenu.h"

#include "project/RecentList.h"

#include <QAction>
#include <QMenu>

namespace qv {

RecentMenu::RecentMenu(QMenu* menu, RecentList& list,
                       std::function<void(const QString& caption)> onClick, QObject* parent)
    : QObject(parent), m_menu(menu), m_list(list), m_onClick(std::move(onClick)) {
    m_list.setChangedHandler([this] { CreateRecentMenu(); });
    CreateRecentMenu();
}

void RecentMenu::CreateRecentMenu() {
    m_menu->clear();
    for (const QString& path : m_list.paths()) {
        QAction* item = m_menu->addAction(RecentList::captionOf(path));
        connect(item, &QAction::triggered, this, [this, item] { m_onClick(item->text()); });
    }
    m_menu->menuAction()->setVisible(!m_menu->isEmpty());
}

} // namespace qv
