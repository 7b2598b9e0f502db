#include "publish/EmbedPage.h"

#include "publish/TextLines.h"

namespace qv {

namespace {

QString withoutSymbol(QString text, const QString& symbol) {
    return text.remove(symbol, Qt::CaseInsensitive);
}

} // namespace

bool containsSymbol(const QStringList& lines, const QString& symbol) {
    if (symbol.isEmpty())
        return false;
    for (const QString& line : lines) {
        if (line.contains(symbol, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

SplitPage splitPage(const QStringList& lines, const QString& symbol) {
    SplitPage page;
    bool seen = false;
    for (const QString& line : lines) {
        if (seen) {
            page.lower.append(withoutSymbol(line, symbol));
            continue;
        }
        const qsizetype at = symbol.isEmpty() ? -1 : line.indexOf(symbol, 0, Qt::CaseInsensitive);
        if (at < 0) {
            page.upper.append(line);
            continue;
        }
        page.upper.append(line.left(at));
        page.lower.append(withoutSymbol(line.mid(at + symbol.size()), symbol));
        seen = true;
    }
    return page;
}

QString mergedPageText(const SplitPage& page, const QStringList& code) {
    return joinCrLf(page.upper) + joinCrLf(code) + joinCrLf(page.lower);
}

} // namespace qv
