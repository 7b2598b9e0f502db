#include "publish/EmbedCode.h"

#include "publish/PublishContext.h"
#include "publish/TextLines.h"

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

PlaceholderValues publishedValues(const PublishContext& context, const QString& prefix) {
    return {context.publishWidth, context.publishHeight, prefix + context.baseFolder};
}

} // namespace qv
