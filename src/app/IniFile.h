#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// An INI text file kept in step with the disk: every write goes to the file at once. Lines it
// does not touch (other sections, comments, unknown keys) are kept as they were.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;

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
