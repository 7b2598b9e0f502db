#pragma once

#include "document/CalendarDocument.h"

#include <QLocale>
#include <QString>

namespace qv {

// The three lines of an event's row in the event list, and its category.
struct EventRowLines {
    QString title;    // drawn bold
    QString content;  // drawn regular
    QString repeat;   // drawn italic: the repeat part and the time part
    QString category; // the category's name beside the title, with a swatch of categoryColor;
                      // empty when the event shows none
    ColorValue categoryColor = 0;
};

// "Once", "Weekly (mon)", "Montly (05)", "Yearly (12-24)" with the stored texts as they are;
// nothing for an unknown kind.
QString repeatText(const TEventRec& event);

// ", whole day, <start date>-<end date>" or ", <start>-<end>" with dates in the locale's short
// date format and times in its long time format (without time zone); a time of exactly midnight
// shows the date only.
QString timeText(const TEventRec& event, const QLocale& locale);

EventRowLines eventRowLines(const TEventRec& event, const QLocale& locale,
                            const QList<TCategoryRec>& categories = {});

} // namespace qv
