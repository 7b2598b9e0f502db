#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// An INI text file kept in step with the disk: every write goes to the file at once. Lines it
// does not touch (other sections, comments, unknown keys) are kept as they were. The file is
// private to its owner (mode 0600).
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;
    // Takes away every permission of others on an existing file (one written by an earlier
    // version); the file's own writes always leave it readable and writable by its owner only.
    bool makePrivate() const;

    // The value of key in section, or def when the key is missing.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Sets the value and rewrites the file; false with a reason when the file cannot be written.
    bool writeString(const QString& section, const QString& key, const QString& value,
                     QString* error = nullptr);

private:
    QStringList load() const;

    QString m_path;
};

} // namespace qv
