#include "publish/EmbedCode.h"

#include "publish/PublishContext.h"
#include "publish/TextLines.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace qv {

QString fillPlaceholders(const QString& line, const PublishContext& context,
                         const PlaceholderValues& values) {
    QString result = line;
    result.replace(context.widthPlaceholder, values.width, Qt::CaseSensitive);
    result.replace(context.heightPlaceholder, values.height, Qt::CaseSensitive);
    result.replace(context.baseFolderPlaceholder, values.baseFolder, Qt::CaseSensitive);
    return result;
}

QString fullPathPrefix(const QString& address) {
    qsizetype begin = 0;
    qsizetype end = address.size();
    while (begin < end && address.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && address.at(end - 1).unicode() <= 0x20)
        --end;
    QString prefix = address.mid(begin, end - begin);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    return prefix;
}

std::optional<QString> fullPathWarning(const QString& address) {
    const QString prefix = fullPathPrefix(address);
    if (prefix.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        prefix.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return std::nullopt;
    return QCoreApplication::translate(
               "qv::EmbedCode",
               "Warning: \"%1\" is not a web address starting with http:// or https://; "
               "the embed code may not find the calendar.")
        .arg(address);
}

std::optional<QStringList> embedCodeLines(const QString& templatePath,
                                          const PublishContext& context,
                                          const PlaceholderValues& values, QString* error) {
    std::optional<QStringList> lines = readTextLines(templatePath, error);
    if (!lines)
        return std::nullopt;
    for (QString& line : *lines)
        line = fillPlaceholders(line, context, values);
    return lines;
}

std::optional<QString> publishSizeProblem(const QString& width, const QString& height) {
    for (const auto& [name, value] :
         {std::pair{QStringLiteral("width"), width}, std::pair{QStringLiteral("height"), height}}) {
        bool ok = false;
        const int n = value.toInt(&ok);
        const bool digitsOnly =
            std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!ok || !digitsOnly || n < 1 || n > 10000)
            return QCoreApplication::translate(
                       "qv::EmbedCode",
                       "The publish %1 must be a whole number from 1 to 10000, not "
                       "\"%2\".")
                .arg(name, value);
    }
    return std::nullopt;
}

PlaceholderValues publishedValues(const PublishContext& context, const QString& prefix) {
    return {context.publishWidth.toHtmlEscaped(), context.publishHeight.toHtmlEscaped(),
            QString(prefix + context.baseFolder).toHtmlEscaped()};
}

} // namespace qv
