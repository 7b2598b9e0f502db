#include "session/IniFile.h"

#include "common/Functions.h"
#include "common/StagedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace qv {

namespace {

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
    // The file may hold a password: owner-only from its first byte, put in place whole.
    StagedFile file(m_path, StagedFile::Readers::OwnerOnly);
    return file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(),
                      error) &&
           file.commit(error);
}

} // namespace qv
