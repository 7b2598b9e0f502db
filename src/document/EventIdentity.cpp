#include "document/EventIdentity.h"

#include "document/CalendarDocument.h"

#include <QCryptographicHash>
#include <QSet>
#include <QUuid>

namespace qv {

QString newEventUid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@quorvel");
}

QString derivedEventUid(const QString& calendarId, const TEventRec& event) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(calendarId.toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(event.Title.Text.toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(event.StartTime.toString(Qt::ISODate).toUtf8());
    hash.addData(event.RepeatKind.toUtf8());
    return QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral("@quorvel");
}

bool giveEventsUids(CalendarDocument& document) {
    QSet<QString> used;
    for (const TEventRec& event : std::as_const(document.Events))
        if (!event.Uid.isEmpty())
            used.insert(event.Uid);
    bool gave = false;
    for (TEventRec& event : document.Events) {
        if (!event.Uid.isEmpty())
            continue;
        const QString base = derivedEventUid(document.CalendarId, event);
        QString uid = base;
        for (int n = 2; used.contains(uid); ++n)
            uid = base + u'-' + QString::number(n);
        used.insert(uid);
        event.Uid = uid;
        gave = true;
    }
    return gave;
}

} // namespace qv
