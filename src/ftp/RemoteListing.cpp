#include "ftp/RemoteListing.h"

#include <algorithm>

namespace qv {

namespace {

bool isSeparator(QChar c) {
    return (c.unicode() >= 1 && c.unicode() <= 32) || c == QLatin1Char(',');
}

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

RemoteEntry unixEntry(const QString& line) {
    const QStringList fields = splitListingFields(line);
    RemoteEntry e;
    e.directory = !fields.isEmpty() && fields.first().startsWith(QLatin1Char('d'));
    if (fields.size() >= 9)
        e.name = fields.mid(8).join(QLatin1Char(' ')).trimmed();
    return e;
}

RemoteEntry dosEntry(const QString& line) {
    RemoteEntry e;
    e.directory = line.mid(24, 5) == QLatin1String("<DIR>");
    e.name = line.mid(39).trimmed();
    return e;
}

} // namespace

QStringList splitListingFields(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    const auto skipBlanks = [&] {
        while (i < n && isBlank(line[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString field;
        if (line[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        }
        while (i < n && !isSeparator(line[i]))
            field += line[i++];
        fields << field;
        skipBlanks();
        if (i < n && line[i] == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i == n)
                fields << QString(); // a comma at the end leaves an empty last field
        }
    }
    return fields;
}

QList<RemoteEntry> parseRemoteListing(const QStringList& lines) {
    QList<RemoteEntry> entries;
    if (lines.isEmpty())
        return entries;
    const QString head = lines.first().left(10);
    const bool unixStyle = head.contains(QLatin1Char('r')) || head.contains(QLatin1Char('w')) ||
                           head.contains(QLatin1Char('x'));
    for (const QString& line : lines) {
        if (unixStyle && splitListingFields(line).isEmpty())
            continue;
        const RemoteEntry e = unixStyle ? unixEntry(line) : dosEntry(line);
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            continue;
        entries << e;
    }
    std::stable_partition(entries.begin(), entries.end(),
                          [](const RemoteEntry& e) { return e.directory; });
    return entries;
}

QHash<QString, qint64> remoteFileSizes(const QStringList& lines) {
    QHash<QString, qint64> sizes;
    if (lines.isEmpty())
        return sizes;
    const QString head = lines.first().left(10);
    const bool unixStyle = head.contains(QLatin1Char('r')) || head.contains(QLatin1Char('w')) ||
                           head.contains(QLatin1Char('x'));
    for (const QString& line : lines) {
        bool ok = false;
        qint64 size = 0;
        RemoteEntry e;
        if (unixStyle) {
            const QStringList fields = splitListingFields(line);
            if (fields.size() < 9)
                continue;
            e = unixEntry(line);
            size = fields[4].toLongLong(&ok);
        } else {
            e = dosEntry(line);
            size = line.mid(17, 22).trimmed().toLongLong(&ok);
        }
        if (ok && !e.directory && !e.name.isEmpty())
            sizes.insert(e.name, size);
    }
    return sizes;
}

} // namespace qv
