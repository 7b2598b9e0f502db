#include "project/PathBeside.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace qv {

QString unusedPathBeside(const QString& path, const QString& tag) {
    for (;;) {
        const QString candidate =
            QStringLiteral("%1.%2-%3")
                .arg(path, tag)
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QFileInfo info(candidate);
        if (!info.exists() && !info.isSymLink())
            return candidate;
    }
}

} // namespace qv
