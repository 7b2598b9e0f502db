#include "publish/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace qv {

namespace {

bool isUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes); // the decoder runs when its result is taken
    return !utf8.hasError();
}

QString decodeLine(QByteArrayView bytes) {
    if (!isUtf8(bytes))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}

template <typename Visit> void forEachLine(const QByteArray& bytes, Visit visit) {
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    qsizetype start = 0;
    const qsizetype size = rest.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = rest.at(i);
        if (c != '\r' && c != '\n')
            continue;
        visit(rest.sliced(start, i - start));
        if (c == '\r' && i + 1 < size && rest.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        visit(rest.sliced(start));
}

bool fitsLatin1(const QString& line) {
    for (const QChar c : line)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

} // namespace

QStringList nonUtf8Lines(const QByteArray& bytes) {
    QStringList lines;
    forEachLine(bytes, [&lines](QByteArrayView line) {
        if (!isUtf8(line))
            lines.append(QString::fromLatin1(line));
    });
    return lines;
}

QByteArray encodeLikeSource(const QString& text, const QStringList& sourceNonUtf8Lines) {
    QByteArray out;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        bool fromSource = false;
        if (fitsLatin1(line) && !line.isEmpty())
            for (const QString& source : sourceNonUtf8Lines)
                fromSource = fromSource || source.contains(line);
        out += fromSource ? line.toLatin1() : line.toUtf8();
        if (i + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}

QStringList textLines(const QByteArray& bytes) {
    QStringList lines;
    forEachLine(bytes, [&lines](QByteArrayView line) { lines.append(decodeLine(line)); });
    return lines;
}

std::optional<QStringList> readTextLines(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("qv::TextLines", "Cannot open file \"%1\". %2")
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
