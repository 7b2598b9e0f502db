#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// How single values are spelled in data.xml, shared by its writer and reader.
namespace qv {

class ByteSink;

// A decimal integer: an optional sign and digits only, within the range of int.
std::optional<int> decimalNumber(QStringView text);

// The number text holds, or fallback when it holds none (empty, blank, letters, fractions).
int numberOr(QStringView text, int fallback);

// Media paths are held with "\" and written with "/".
QString mediaPathForFile(const QString& documentPath);
QString mediaPathFromFile(const QString& filePath);

// "2013-07-04T09:05:00": year, month, day, hour, minute and second, zero-padded; fractions of a
// second are dropped.
QString dateTimeText(const QDateTime& value);
// The same appended to a file being built.
void appendDateTimeText(ByteSink& out, const QDateTime& value);

// Reads the pieces at fixed places (year 1-4, month 6-7, day 9-10, hour 12-13, minute 15-16,
// second 18-19), each with its default (2000, 1, 1, 12, 0, 0) when it holds no number. When they
// make no valid local date and time (years 1 to 9999), the result is now, to the second.
QDateTime dateTimeFromText(QStringView text, const QDateTime& now);

} // namespace qv
