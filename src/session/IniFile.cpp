#include "session/IniFile.h"

#include "common/Functions.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace qv {

namespace {

// The file may hold a password: only its owner reads and writes it.
constexpr QFileDevice::Permissions kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Writes the whole file beside the target with owner-only permissions and renames it into place,
// so the text is never readable by others, not even for a moment.
bool writePrivateFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    const auto fail = [&](const QString& what) {
        if (error)
            *error = what.arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot create file \"%1\". %2"));
    if (!file.setPermissions(kPrivate) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QStringLiteral("Cannot write file \"%1\". %2"));
    return true;
}

bool isSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool keyOf(const QString& line, QString* key, QString* value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = t.left(eq).trimmed();
    if (value)
        *value = t.mid(eq + 1).trimmed(); // "key = value", as hand-edited files have it
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::exists() const {
    return QFileInfo::exists(m_path);
}

bool IniFile::makePrivate() const {
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
    QFile file(m_path);
    if (!file.exists() || !(file.permissions() & others))
        return true;
    return file.setPermissions(file.permissions() & ~others);
}

QStringList IniFile::load() const {
    const std::optional<QString> text = readUtf8TextFile(m_path);
    if (!text || text->isEmpty())
        return {};
    QStringList lines = text->split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    QString current;
    for (const QString& line : load()) {
        QString name;
        if (isSectionLine(line, &name)) {
            current = name;
            continue;
        }
        QString k, v;
        if (current.compare(section, Qt::CaseInsensitive) == 0 && keyOf(line, &k, &v) &&
            k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return def;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value,
                          QString* error) {
    QStringList lines = load();
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionEnd = -1; // index after the last line of the section
    bool inSection = false;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        QString name;
        if (isSectionLine(lines.at(i), &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        QString k;
        if (keyOf(lines.at(i), &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0) {
            lines[i] = entry;
            done = true;
        } else if (!lines.at(i).trimmed().isEmpty()) {
            sectionEnd = i + 1;
        }
    }
    if (!done) {
        if (sectionEnd < 0) {
            if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        } else {
            lines.insert(sectionEnd, entry);
        }
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return writePrivateFile(
        m_path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(), error);
}

} // namespace qv
