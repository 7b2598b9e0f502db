#include "session/LayoutPages.h"

#include "common/Functions.h"

#include <QRegularExpression>

namespace qv {

const std::array<QString, 4>& LayoutPages::fileNames() {
    static const std::array<QString, 4> names = {
        QStringLiteral("Layout_full.htm"), QStringLiteral("Layout_left.htm"),
        QStringLiteral("Layout_right.htm"), QStringLiteral("Layout_center.htm")};
    return names;
}

bool LayoutPages::read(const QString& filesFolder, QString* error) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::optional<QString> text =
            readUtf8TextFile(filesFolder + QLatin1Char('/') + fileNames()[i], error);
        if (!text)
            return false;
        QStringList lines = text->split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        pages[i] = lines;
    }
    return true;
}

} // namespace qv
