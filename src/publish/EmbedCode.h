#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

struct PublishContext;

// The texts the three placeholders of an embed page template are replaced by.
struct PlaceholderValues {
    QString width;
    QString height;
    QString baseFolder;
};

// One template line with its placeholders filled: every width placeholder first, then every
// height placeholder, then every base folder placeholder. Matching is exact and case-sensitive;
// the replacements go in as plain text.
QString fillPlaceholders(const QString& line, const PublishContext& context,
                         const PlaceholderValues& values);

// The full-path prefix for a typed web address: blanks and control characters removed at both
// ends, then "/" appended unless it ends in one already. An empty address gives "/".
QString fullPathPrefix(const QString& address);

// A warning when the typed web address is not one a visitor's browser loads a page from (it does
// not start with "http://" or "https://", in any case): "www.example.org/calendar" would make the
// embed code point at a folder of that name beside the page. Nothing for a web address.
std::optional<QString> fullPathWarning(const QString& address);

// Why the publish width or height cannot go into the embed code: each must be a whole number from
// 1 to 10000 (anything else could break the page it is put into). Nothing when both can.
std::optional<QString> publishSizeProblem(const QString& width, const QString& height);

// The embed code: the lines of the template at templatePath, each filled with values. Nothing,
// with the reason in error, when the template cannot be read.
std::optional<QStringList> embedCodeLines(const QString& templatePath,
                                          const PublishContext& context,
                                          const PlaceholderValues& values,
                                          QString* error = nullptr);

// The values for the published calendar: its width and height and the base folder behind the
// given full-path prefix (empty for the plain base folder). They go into HTML attributes, so
// "&", "<", ">" and quotation marks in them are written as references.
PlaceholderValues publishedValues(const PublishContext& context, const QString& prefix = {});

} // namespace qv
