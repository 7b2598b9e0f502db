#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// A web page cut at its embed symbol: the lines before the symbol's place and the lines after it.
struct SplitPage {
    QStringList upper; // the lines before the symbol, ending with the text before it
    QStringList lower; // the text after the symbol, then the lines after it
};

// True when a line holds the symbol, in any letter case.
bool containsSymbol(const QStringList& lines, const QString& symbol);

// Cuts the page at the first occurrence of the symbol (any letter case): the text before it ends
// the upper lines, the text after it starts the lower lines, so the symbol's line is broken in
// two around the code that takes its place. Every later occurrence of the symbol is removed from
// the page and the rest of its line kept, so no text stands twice. A page without the symbol is
// all upper lines.
SplitPage splitPage(const QStringList& lines, const QString& symbol);

// The merged page: upper lines, code lines, lower lines, each line followed by CR LF.
QString mergedPageText(const SplitPage& page, const QStringList& code);

} // namespace qv
