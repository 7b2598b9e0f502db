// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarModel.h"

#include "document/Categories.h"
#include "document/EventIdentity.h"

namespace qv {

CalendarModel::CalendarModel(CalendarDocument& document, QObject* parent)
    : QObject(parent), m_document(document) {
    setObjectName(QStringLiteral("CalendarModel"));
}

void CalendarModel::changeValue(const std::function<void(CalendarDocument&)>& change) {
    change(m_document);
    Q_EMIT valueChanged();
}

void CalendarModel::confirmValues() {
    Q_EMIT valueChanged();
}

void CalendarModel::noteTyped() {
    m_typed = true;
    Q_EMIT valueTyped();
}

int CalendarModel::addEvent(const TEventRec& event) {
    m_document.Events.append(event);
    if (event.Uid.isEmpty())
        m_document.Events.last().Uid = newEventUid(); // a new event has a new identity
    const int index = int(m_document.Events.size()) - 1;
    Q_EMIT eventsChanged(EventChange::Added, index);
    return index;
}

void CalendarModel::replaceEvent(int index, const TEventRec& event) {
    if (index < 0 || index >= m_document.Events.size())
        return;
    TEventRec& stored = m_document.Events[index];
    // The event keeps its identity; one of an older data file, without uid, keeps the one feeds
    // gave it before it was changed.
    const QString uid = !event.Uid.isEmpty()    ? event.Uid
                        : !stored.Uid.isEmpty() ? stored.Uid
                                                : derivedEventUid(m_document.CalendarId, stored);
    stored = event;
    stored.Uid = uid;
    Q_EMIT eventsChanged(EventChange::Replaced, index);
}

void CalendarModel::removeEvent(int index) {
    if (index < 0 || index >= m_document.Events.size())
        return;
    m_document.Events.removeAt(index);
    Q_EMIT eventsChanged(EventChange::Removed, index);
}

void CalendarModel::mergeEvents(const std::function<void(QList<TEventRec>&)>& change) {
    change(m_document.Events);
    Q_EMIT eventsChanged(EventChange::Merged, 0);
}

int CalendarModel::addCategory(const QString& name) {
    const int index = appendCategory(m_document.Categories, name);
    Q_EMIT categoriesChanged();
    return index;
}

void CalendarModel::renameCategory(int index, const QString& name) {
    if (index < 0 || index >= m_document.Categories.size())
        return;
    m_document.Categories[index].Name = cleanCategoryName(name);
    Q_EMIT categoriesChanged();
}

void CalendarModel::recolorCategory(int index, ColorValue color) {
    if (index < 0 || index >= m_document.Categories.size())
        return;
    m_document.Categories[index].Color = color & 0xFFFFFFu;
    Q_EMIT categoriesChanged();
}

void CalendarModel::removeCategory(int index) {
    if (index < 0 || index >= m_document.Categories.size())
        return;
    qv::removeCategory(m_document, index);
    Q_EMIT categoriesChanged();
}

void CalendarModel::moveCategory(int from, int to) {
    const qsizetype count = m_document.Categories.size();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    m_document.Categories.move(from, to);
    Q_EMIT categoriesChanged();
}

void CalendarModel::resetBeforeRead() {
    Q_EMIT readStarting();
}

void CalendarModel::styleItemRead(const QString& caption, int tableIndex) {
    Q_EMIT styleItemListed(caption, tableIndex);
}

void CalendarModel::monthlyBackgroundRead(bool available, bool enabled) {
    Q_EMIT monthlyBackgroundFound(available, enabled);
}

void CalendarModel::musicRead(bool available) {
    Q_EMIT musicFound(available);
}

void CalendarModel::spinValueRead(const QString& optionId, int value) {
    Q_EMIT spinValueFound(optionId, value);
}

void CalendarModel::readFinished(int editorLayout) {
    Q_EMIT documentReset(editorLayout);
}

} // namespace qv
