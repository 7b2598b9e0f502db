// Event categories: making their ids, cleaning their names, choosing their colours, and what
// removing one does to the events.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/CalendarDocument.h"

#include <QList>
#include <QString>

#include <optional>

namespace qv {

inline constexpr int kCategoryIdMaxLength = 32;
inline constexpr int kCategoryNameMaxLength = 60;
// The colour of a category whose colour a data file does not give readably, as the player shows
// it: grey.
inline constexpr ColorValue kUnreadableCategoryColor = 0x808080;

// Whether text can be a category id: 1 to 32 lowercase ASCII letters, digits and "-".
bool isCategoryId(QStringView text);

// A new id for a category of this name, unique among categories: the name's letters and digits
// in lowercase ASCII (accents dropped), every other run of characters as one "-" ("U12 team"
// gives "u12-team"), with "-2", "-3", ... appended when the id is taken, and "category" when the
// name leaves nothing.
QString newCategoryId(const QString& name, const QList<TCategoryRec>& categories);

// A name as the calendar keeps it: blanks, line breaks and other control characters at the ends
// removed, runs of them inside made one blank, at most 60 characters (a character outside the basic
// plane is not cut in two). Empty when the text holds nothing but blanks.
QString cleanCategoryName(const QString& text);

// Why name cannot be the name of the category at position index (-1 for a new category): empty,
// or another category has it already (letter case ignored, as an import matches names). Empty
// when it can.
QString categoryNameProblem(const QString& name, const QList<TCategoryRec>& categories, int index);

// The colours new categories get, in order: distinct from each other, and dark enough for white
// text on them and to show on a white page.
const QList<ColorValue>& categoryPalette();

// The first colour of the palette no category has; when every one is taken, the palette starts
// again.
ColorValue nextCategoryColor(const QList<TCategoryRec>& categories);

// The colour of a data file's "RRGGBB" text (six hexadecimal digits, either case), or nothing.
std::optional<ColorValue> categoryColorFromText(QStringView text);

// The position of the category with this id, or -1.
int categoryIndexOfId(const QList<TCategoryRec>& categories, const QString& id);
// The position of the category with this name (letter case ignored), or -1.
int categoryIndexOfName(const QList<TCategoryRec>& categories, const QString& name);

// The category the event shows: the one its id names, or null (no category, or an id that names
// none).
const TCategoryRec* categoryOf(const TEventRec& event, const QList<TCategoryRec>& categories);

// How many events belong to the category with this id.
int eventsInCategory(const QList<TEventRec>& events, const QString& id);

// The question removing a category that events belong to asks, naming it and how many they are.
QString removeCategoryQuestion(const TCategoryRec& category, int events);

// Removes the category at index; its events are left without a category. Answers how many events
// that were; an index outside the list changes nothing.
int removeCategory(CalendarDocument& document, int index);

// Appends a category with a new id made from its name (cleaned) and the next palette colour;
// answers its position.
int appendCategory(QList<TCategoryRec>& categories, const QString& name);

} // namespace qv
