// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Categories.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace qv {

namespace {

bool isIdCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
}

// A 0x00BBGGRR colour from its RRGGBB digits.
constexpr ColorValue fromRgb(quint32 rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// The name's letters and digits in lowercase ASCII, other runs as one "-", at most max long.
QString idStem(const QString& name, int max) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString stem;
    bool gap = false;
    for (const QChar c : decomposed) {
        const QChar lower = c.unicode() < 128 ? c.toLower() : c;
        if (isIdCharacter(lower) && lower != u'-') {
            if (gap && !stem.isEmpty())
                stem += u'-';
            gap = false;
            stem += lower;
        } else if (c.category() != QChar::Mark_NonSpacing) {
            gap = true; // accents of a decomposed letter vanish; anything else separates
        }
    }
    stem.truncate(max);
    while (stem.endsWith(u'-'))
        stem.chop(1);
    return stem;
}

} // namespace

bool isCategoryId(QStringView text) {
    return !text.isEmpty() && text.size() <= kCategoryIdMaxLength &&
           std::all_of(text.begin(), text.end(), isIdCharacter);
}

QString newCategoryId(const QString& name, const QList<TCategoryRec>& categories) {
    QSet<QString> taken;
    for (const TCategoryRec& category : categories)
        taken.insert(category.Id);
    QString stem = idStem(name, kCategoryIdMaxLength);
    if (stem.isEmpty())
        stem = QStringLiteral("category");
    if (!taken.contains(stem))
        return stem;
    for (int n = 2;; ++n) {
        const QString suffix = u'-' + QString::number(n);
        QString id = stem.left(kCategoryIdMaxLength - suffix.size());
        while (id.endsWith(u'-'))
            id.chop(1);
        id += suffix;
        if (!taken.contains(id))
            return id;
    }
}

QString cleanCategoryName(const QString& text) {
    QString name = text;
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control)
            c = u' '; // a name is plain text on one line
    name = name.simplified();
    if (name.size() > kCategoryNameMaxLength) {
        name.truncate(kCategoryNameMaxLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
        name = name.trimmed();
    }
    return name;
}

QString categoryNameProblem(const QString& name, const QList<TCategoryRec>& categories, int index) {
    const QString clean = cleanCategoryName(name);
    if (clean.isEmpty())
        return QCoreApplication::translate("Categories", "A category needs a name.");
    const int other = categoryIndexOfName(categories, clean);
    if (other >= 0 && other != index)
        return QCoreApplication::translate("Categories",
                                           "There is already a category named \"%1\".")
            .arg(categories[other].Name);
    return {};
}

const QList<ColorValue>& categoryPalette() {
    // Each gives white text a contrast of at least 4.5 to 1.
    static const QList<ColorValue> palette = {
        fromRgb(0x1565C0), // blue
        fromRgb(0xC62828), // red
        fromRgb(0x2E7D32), // green
        fromRgb(0xBF360C), // orange
        fromRgb(0x6A1B9A), // purple
        fromRgb(0x00695C), // teal
        fromRgb(0xAD1457), // pink
        fromRgb(0x4E342E), // brown
        fromRgb(0x827717), // olive
        fromRgb(0x283593), // indigo
        fromRgb(0x455A64), // blue grey
        fromRgb(0x00838F), // cyan
    };
    return palette;
}

ColorValue nextCategoryColor(const QList<TCategoryRec>& categories) {
    const QList<ColorValue>& palette = categoryPalette();
    for (const ColorValue color : palette)
        if (std::none_of(categories.begin(), categories.end(),
                         [color](const TCategoryRec& c) { return c.Color == color; }))
            return color;
    return palette[categories.size() % palette.size()];
}

std::optional<ColorValue> categoryColorFromText(QStringView text) {
    if (text.size() != 6)
        return std::nullopt;
    const bool hex = std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
    if (!hex)
        return std::nullopt;
    return fromRgb(text.toUInt(nullptr, 16));
}

int categoryIndexOfId(const QList<TCategoryRec>& categories, const QString& id) {
    for (qsizetype i = 0; i < categories.size(); ++i)
        if (categories[i].Id == id)
            return int(i);
    return -1;
}

int categoryIndexOfName(const QList<TCategoryRec>& categories, const QString& name) {
    for (qsizetype i = 0; i < categories.size(); ++i)
        if (categories[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const TCategoryRec* categoryOf(const TEventRec& event, const QList<TCategoryRec>& categories) {
    if (event.Category.isEmpty())
        return nullptr;
    const int index = categoryIndexOfId(categories, event.Category);
    return index < 0 ? nullptr : &categories[index];
}

int eventsInCategory(const QList<TEventRec>& events, const QString& id) {
    return int(std::count_if(events.begin(), events.end(),
                             [&id](const TEventRec& e) { return e.Category == id; }));
}

QString removeCategoryQuestion(const TCategoryRec& category, int events) {
    return QCoreApplication::translate("Categories",
                                       "Events in the category \"%1\": %n. Remove the "
                                       "category? Its events stay, without a category.",
                                       nullptr, events)
        .arg(category.Name);
}

int removeCategory(CalendarDocument& document, int index) {
    if (index < 0 || index >= document.Categories.size())
        return 0;
    const QString id = document.Categories.takeAt(index).Id;
    int cleared = 0;
    for (TEventRec& event : document.Events) {
        if (event.Category == id) {
            event.Category.clear();
            ++cleared;
        }
    }
    return cleared;
}

int appendCategory(QList<TCategoryRec>& categories, const QString& name) {
    TCategoryRec category;
    category.Name = cleanCategoryName(name);
    category.Id = newCategoryId(category.Name, categories);
    category.Color = nextCategoryColor(categories);
    categories.append(category);
    return int(categories.size()) - 1;
}

} // namespace qv
