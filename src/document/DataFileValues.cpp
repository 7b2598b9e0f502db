#include "document/DataFileValues.h"

#include "document/ByteSink.h"

#include <limits>

namespace qv {

std::optional<int> decimalNumber(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

int numberOr(QStringView text, int fallback) {
    return decimalNumber(text).value_or(fallback);
}

QString mediaPathForFile(const QString& documentPath) {
    QString path = documentPath;
    return path.replace(u'\\', u'/');
}

QString mediaPathFromFile(const QString& filePath) {
    QString path = filePath;
    return path.replace(u'/', u'\\');
}

void appendDateTimeText(ByteSink& out, const QDateTime& value) {
    const QDate d = value.date();
    const QTime time = value.time();
    const QTime t = time.isValid() ? time : QTime(0, 0);
    if (d.year() < 0 || d.year() > 9999) { // not in the four digits of the usual form
        const QByteArray text =
            QString::asprintf("%.4d-%.2d-%.2dT%.2d:%.2d:%.2d", d.year(), d.month(), d.day(),
                              t.hour(), t.minute(), t.second())
                .toLatin1();
        out.append(text.constData(), text.size());
        return;
    }
    char text[19];
    const auto put = [&text](int at, int number, int digits) {
        for (int i = digits - 1; i >= 0; --i, number /= 10)
            text[at + i] = char('0' + number % 10);
    };
    put(0, d.year(), 4);
    text[4] = '-';
    put(5, d.month(), 2);
    text[7] = '-';
    put(8, d.day(), 2);
    text[10] = 'T';
    put(11, t.hour(), 2);
    text[13] = ':';
    put(14, t.minute(), 2);
    text[16] = ':';
    put(17, t.second(), 2);
    out.append(text, sizeof text);
}

QString dateTimeText(const QDateTime& value) {
    ByteSink text(32);
    appendDateTimeText(text, value);
    return QString::fromLatin1(text.take());
}

QDateTime dateTimeFromText(QStringView text, const QDateTime& now) {
    const auto piece = [text](qsizetype from, qsizetype length, int fallback) {
        return from < text.size() ? numberOr(text.mid(from, length), fallback) : fallback;
    };
    const int year = piece(0, 4, 2000);
    const QDate date(year, piece(5, 2, 1), piece(8, 2, 1));
    const QTime time(piece(11, 2, 12), piece(14, 2, 0), piece(17, 2, 0));
    if (year >= 1 && year <= 9999 && date.isValid() && time.isValid()) {
        const QDateTime value(date, time);
        if (value.isValid())
            return value;
    }
    const QDateTime current = now;
    return QDateTime(current.date(), QTime(current.time().hour(), current.time().minute(),
                                           current.time().second()));
}

} // namespace qv
