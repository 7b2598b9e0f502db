// Feeds arbitrary bytes to archive extraction as a project archive. Whatever the bytes, the
// extraction must not crash, and nothing may appear beside the target folder.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "project/Archive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTemporaryDir sandbox;
    const QString archive = sandbox.filePath(QStringLiteral("input.qvp"));
    {
        QFile file(archive);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const QString target = sandbox.filePath(QStringLiteral("box/target"));
    qv::ArchiveLimits limits;
    limits.maxTotalSize = 16 * 1024 * 1024;
    qv::extractArchive(archive, target, {}, nullptr, limits);

    const QStringList beside =
        QDir(sandbox.filePath(QStringLiteral("box")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (!beside.isEmpty() && beside != QStringList{QStringLiteral("target")})
        std::abort();
    const QStringList top =
        QDir(sandbox.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : top) {
        if (name != QStringLiteral("input.qvp") && name != QStringLiteral("box"))
            std::abort();
    }
    return 0;
}
