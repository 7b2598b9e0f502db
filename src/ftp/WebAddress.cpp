#include "ftp/WebAddress.h"

namespace qv {

namespace {
qsizetype lastSeparator(const QString& text) {
    return std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char(':')));
}
} // namespace

WebAddress makeWebAddress(const QString& text, bool pageRule, const QString& host,
                          const QString& remoteFolder) {
    if (text.isEmpty() || text == QLatin1String("http://"))
        return makeWebAddress(
            QStringLiteral("http://%1%2%3").arg(host, remoteFolder, QStringLiteral("Calendar.htm")),
            true, host, remoteFolder);
    QString url = text;
    QString asPath = url;
    asPath.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const qsizetype cut =
        std::max(asPath.lastIndexOf(QLatin1Char('\\')), asPath.lastIndexOf(QLatin1Char(':')));
    const QString lastSegment = asPath.mid(cut + 1);
    if (!lastSegment.contains(QLatin1Char('.')) && !url.endsWith(QLatin1Char('/')))
        url += QLatin1Char('/');
    if (pageRule)
        url = url.left(lastSeparator(url) + 1) + QStringLiteral("Calendar.htm");
    WebAddress a;
    a.url = url;
    a.suggestion = url;
    a.suggestion.remove(QStringLiteral("/public_html"));
    a.suggestion.remove(QStringLiteral("/htdocs"));
    return a;
}

WebAddress defaultWebAddress(const QString& host, const QString& remoteFolder) {
    return makeWebAddress(
        QStringLiteral("http://%1%2%3").arg(host, remoteFolder, QStringLiteral("index.html")), true,
        host, remoteFolder);
}

} // namespace qv
