#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace qv {

// An entry of the upload window's remote folder list.
struct RemoteEntry {
    QString name;
    bool directory = false;

    bool operator==(const RemoteEntry&) const = default;
};

// Reads the lines of a LIST reply. The first line decides the style for all: when its first ten
// characters hold an "r", "w" or "x" it is a Unix listing (the name is the ninth field on, fields
// split at blanks, control characters and commas), otherwise a DOS listing ("<DIR>" at columns 25
// to 29, the name from column 40). "." and ".." are dropped, a line without any field is skipped,
// and the directories come first, each kind in the listing's order.
QList<RemoteEntry> parseRemoteListing(const QStringList& lines);

// The sizes of the files of a LIST reply by name, where the lines show them: the fifth field of
// a Unix line, the number before column 40 of a DOS line. Directories are left out.
QHash<QString, qint64> remoteFileSizes(const QStringList& lines);

// The fields of a Unix listing line: separated by runs of characters 1 to 32 or by a comma; a
// field that starts with a double quote runs to its closing quote, a doubled quote standing for
// one.
QStringList splitListingFields(const QString& line);

} // namespace qv
