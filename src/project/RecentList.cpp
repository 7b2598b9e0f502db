#include "project/RecentList.h"

#include <QSettings>

namespace qv {

namespace {

const QString kGroup = QStringLiteral("Recent");
const QString kCount = QStringLiteral("Count");

QString itemKey(int slot) {
    return QStringLiteral("Item%1").arg(slot);
}

} // namespace

RecentList::RecentList(QSettings* settings) : m_settings(settings) {}

std::unique_ptr<QSettings> RecentList::userSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quorvel"), QStringLiteral("Quorvel"));
}

void RecentList::RecentRead() {
    m_slots.fill(QString());
    if (m_settings && m_settings->childGroups().contains(kGroup)) {
        m_settings->beginGroup(kGroup);
        bool ok = false;
        int count = m_settings->value(kCount).toInt(&ok);
        if (!ok)
            count = 0;
        int filled = 0;
        for (int i = 1; i <= count && i <= kSlots; ++i) {
            const QString path = m_settings->value(itemKey(i)).toString();
            if (!path.isEmpty())
                m_slots[size_t(filled++)] = path;
        }
        m_settings->endGroup();
    }
    changed();
}

void RecentList::RecentAdd(const QString& path) {
    int from = kSlots - 1; // not found: slot 5 drops out
    for (int i = 0; i < kSlots; ++i) {
        if (m_slots[size_t(i)] == path) {
            from = i;
            break;
        }
    }
    for (int i = from; i > 0; --i)
        m_slots[size_t(i)] = m_slots[size_t(i - 1)];
    m_slots[0] = path;
    RecentSave();
}

void RecentList::RecentSave() {
    if (m_settings && m_settings->isWritable()) {
        m_settings->beginGroup(kGroup);
        int filled = 0;
        for (int i = 0; i < kSlots; ++i) {
            if (m_slots[size_t(i)].isEmpty())
                continue;
            m_settings->setValue(itemKey(i + 1), m_slots[size_t(i)]);
            ++filled;
        }
        m_settings->setValue(kCount, filled);
        m_settings->endGroup();
        m_settings->sync();
    }
    changed();
}

QStringList RecentList::paths() const {
    QStringList result;
    for (const QString& path : m_slots) {
        if (!path.isEmpty())
            result.append(path);
    }
    return result;
}

QString RecentList::captionOf(const QString& path) {
    QString caption = path;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString RecentList::pathOfCaption(const QString& caption) {
    QString path;
    path.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) {
            path.append(caption.at(i));
        } else if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
            path.append(QLatin1Char('&'));
            ++i;
        }
    }
    return path;
}

void RecentList::changed() {
    if (m_changed)
        m_changed();
}

} // namespace qv
