#include "ftp/FtpReply.h"

namespace qv {

namespace {

bool startsWithCode(const QByteArray& line) {
    return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
           std::isdigit(static_cast<unsigned char>(line[1])) &&
           std::isdigit(static_cast<unsigned char>(line[2]));
}

// The text of a reply line: without "ddd " or "ddd-" when it starts with the reply's code.
QString lineText(const QByteArray& line, const QByteArray& code) {
    if (line.startsWith(code) && (line.size() == 3 || line[3] == ' ' || line[3] == '-'))
        return QString::fromLocal8Bit(line.mid(4));
    return QString::fromLocal8Bit(line);
}

QString tooLong() {
    return QStringLiteral("The server's reply is longer than %1 KiB; the connection was closed.")
        .arg(FtpReplyParser::kMaxReplyBytes / 1024);
}

} // namespace

QString FtpReply::text() const {
    QString out;
    for (const QString& line : lines)
        out += line + QLatin1Char('\n');
    return out;
}

FtpReplyParser::Result FtpReplyParser::next(FtpReply* reply, QString* error) {
    qsizetype pos = 0;
    QByteArray code;
    QStringList lines;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', pos);
        if (end < 0) {
            if (m_buffer.size() > kMaxReplyBytes) {
                *error = tooLong();
                return Result::Failed;
            }
            return Result::NeedMore;
        }
        if (end > kMaxReplyBytes) {
            *error = tooLong();
            return Result::Failed;
        }
        QByteArray line = m_buffer.mid(pos, end - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        pos = end + 1;
        if (code.isEmpty()) {
            if (!startsWithCode(line) || (line.size() > 3 && line[3] != ' ' && line[3] != '-')) {
                *error = QStringLiteral("The server sent a line that is not an FTP reply: %1")
                             .arg(QString::fromLocal8Bit(line.left(200)));
                return Result::Failed;
            }
            code = line.left(3);
            lines << lineText(line, code);
            if (line.size() == 3 || line[3] == ' ')
                break;
            continue;
        }
        lines << lineText(line, code);
        if (line.startsWith(code) && (line.size() == 3 || line[3] == ' '))
            break;
    }
    m_buffer.remove(0, pos);
    reply->code = code.toInt();
    reply->lines = lines;
    return Result::Complete;
}

QString directoryFromPwdLine(const QString& line) {
    const qsizetype first = line.indexOf(QLatin1Char('"'));
    if (first < 0)
        return {};
    const qsizetype second = line.indexOf(QLatin1Char('"'), first + 1);
    return second < 0 ? line.mid(first + 1) : line.mid(first + 1, second - first - 1);
}

std::optional<quint16> portFromPasvLine(const QString& line, QString* error) {
    const QString trimmed = line.trimmed();
    QString numbers;
    const qsizetype open = trimmed.indexOf(QLatin1Char('('));
    const qsizetype close = trimmed.indexOf(QLatin1Char(')'), open + 1);
    if (open >= 0 && close > open)
        numbers = trimmed.mid(open + 1, close - open - 1);
    else
        numbers = trimmed.mid(trimmed.lastIndexOf(QLatin1Char(' ')) + 1);
    const QStringList parts = numbers.split(QLatin1Char(','));
    bool ok = parts.size() >= 6;
    int values[6] = {};
    for (int i = 0; ok && i < 6; ++i) {
        values[i] = parts[i].trimmed().toInt(&ok);
        ok = ok && values[i] >= 0 && values[i] <= 255;
    }
    if (!ok) {
        *error = QStringLiteral("\"%1\" is not a valid passive mode address.").arg(numbers);
        return std::nullopt;
    }
    return static_cast<quint16>(values[4] * 256 + values[5]);
}

QStringList splitListing(const QByteArray& data) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] != '\r' && data[i] != '\n')
            continue;
        lines << QString::fromLocal8Bit(data.mid(start, i - start));
        if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << QString::fromLocal8Bit(data.mid(start));
    return lines;
}

} // namespace qv
