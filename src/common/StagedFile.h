#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace qv {

// A file written beside its target and put in its place only by commit(), so the target stays
// whole until the new bytes are complete and on disk. A link as the target is written through to
// the file it leads to; a folder, device, pipe or socket is refused. Dropped without commit, it
// leaves the target as it was. Several staged files let a caller replace them together once all are
// written.
class StagedFile {
public:
    enum class Readers { AsBefore, OwnerOnly };

    // OwnerOnly: the file is readable and writable by its owner alone, whatever it was before.
    explicit StagedFile(const QString& path, Readers readers = Readers::AsBefore);

    // Writes the bytes to the file beside the target, after those of earlier calls, and starts
    // putting them on disk, so that commit(), which waits for the disk, has less to wait for when
    // other work came between.
    bool write(QByteArrayView bytes, QString* error = nullptr);
    // Waits until the bytes are on disk and renames the file over the target.
    bool commit(QString* error = nullptr);

private:
    bool open(QString* error);
    bool fail(const QString& what, const QString& reason, QString* error);

    QSaveFile file_;
    QString given_;
    Readers readers_;
};

} // namespace qv
