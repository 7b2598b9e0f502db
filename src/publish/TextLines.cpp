#include "publish/TextLines.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace qv {

namespace {

QString decodeLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

} // namespace

QStringList textLines(const QByteArray& bytes) {
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = rest.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = rest.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(decodeLine(rest.sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && rest.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(decodeLine(rest.sliced(start)));
    return lines;
}

std::optional<QStringList> readTextLines(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    return textLines(file.readAll());
}

QString joinCrLf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace qv
